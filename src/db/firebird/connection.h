#pragma once
// One attachment to a Firebird database with the fixed parameters both
// systems are used with: user SYSDBA, no character-set conversion, read
// committed transactions that wait on locks. The source is opened with
// read-only transactions, so nothing run on it can change it.
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "db/firebird/ref.h"
#include "db/firebird/statement_shape.h"

namespace Firebird {
class IStatus;
class IAttachment;
class ITransaction;
class IStatement;
class ThrowStatusWrapper;
}  // namespace Firebird

namespace conversor {

class Statement;

struct ConnectionOptions {
    int dialect = 3;
    bool readOnly = false;
    std::string user = "SYSDBA";
    std::string password = "quendalor";
};

class Connection {
public:
    explicit Connection(ConnectionOptions options);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // The database string is used unchanged: a local path opens the embedded
    // engine, "host:path" reaches a server.
    void setDatabase(std::string database) { database_ = std::move(database); }
    const std::string& database() const { return database_; }
    int dialect() const { return options_.dialect; }
    bool readOnly() const { return options_.readOnly; }

    void open();   // DbError with the server's text on failure
    void close();  // closes the statements' cursors and drops any transaction
    bool isOpen() const { return static_cast<bool>(attachment_); }
    // From any thread: cancels the statement the attachment runs now (one
    // waiting on a lock among them), which then fails with the engine's
    // "operation was cancelled". Between statements it does nothing.
    void cancelRunning();

    // The one explicit transaction a connection may have.
    bool inTransaction() const { return static_cast<bool>(transaction_); }
    void startTransaction();  // opens the connection first when it is closed
    void commit();
    void rollback();

    // Called by every statement run with execute() inside the explicit
    // transaction, before it runs (where a batched row takes its savepoint,
    // once the row first writes).
    void setBeforeWrite(std::function<void()> hook) { beforeWrite_ = std::move(hook); }
    void beforeWrite() const {
        if (beforeWrite_ && transaction_) beforeWrite_();
    }
    // While set, nothing done on the connection is ever committed: a commit
    // of the explicit transaction fails, a statement run without one starts
    // it and stays in it, and definitions (which a rollback does not cleanly
    // undo: the engine may already use an uncommitted trigger switch) fail.
    // Closing the connection or rollback() drops the work.
    void setNeverCommit(bool never) { neverCommit_ = never; }
    bool neverCommits() const { return neverCommit_; }

    // Runs a statement that takes no parameters and returns nothing, in the
    // explicit transaction or in one of its own.
    void executeImmediate(const std::string& sql);

    // Creates a database file (for tests, samples and benchmarks).
    static void CreateDatabase(const std::string& path, int dialect, bool forcedWrites = false,
                               const std::string& charset = "WIN1252");

    // --- for Statement ---
    Firebird::ThrowStatusWrapper& status();
    Firebird::IAttachment* attachment() const { return attachment_.get(); }
    Firebird::ITransaction* transaction() const { return transaction_.get(); }
    fb::Ref<Firebird::ITransaction> startOwnTransaction();
    // The transaction a statement runs in when no explicit one is open. On
    // the target it is a new one, committed when the statement ends. On the
    // read-only source every such statement shares one read-only
    // transaction: nothing there is ever written, and starting and committing
    // one per lookup would cost as much as the lookup itself.
    // The transaction returned is the caller's when it is put in `owned`
    // (and then committed by the caller), the connection's otherwise.
    Firebird::ITransaction* autoTransaction(fb::Ref<Firebird::ITransaction>& owned);
    // Prepared statements are kept per text for the life of the attachment,
    // so a text set again for every row is prepared once. A cached statement
    // serves one Statement at a time (a prepared handle has one cursor).
    struct PreparedHandle {
        Firebird::IStatement* stmt = nullptr;
        bool cached = false;
        std::shared_ptr<const OutputShape> output;  // the row it returns
        fb::Ref<Firebird::IStatement> owned;        // an uncached statement, the holder's own
        bool definition = false;                    // DDL (never cached)
    };
    PreparedHandle acquire(const std::string& sql, Firebird::ITransaction* tra);
    void giveBack(const std::string& sql, PreparedHandle&& handle);
    // A text with its named parameters resolved, shared by the statements
    // that use it (texts are kept while they are few).
    std::shared_ptr<TextShape> textShape(const std::string& text);
    long long preparesDone() const { return prepares_; }  // statements actually prepared
    // The texts prepared and kept, as the server took them, for tests that
    // ask what a run ran.
    std::vector<std::string> preparedTexts() const;
    void attach(Statement* st);
    void detach(Statement* st);

private:
    void endTransaction(bool commit);
    void releasePrepared();

    ConnectionOptions options_;
    std::string database_;
    fb::Ref<Firebird::IStatus> statusHandle_;
    std::unique_ptr<Firebird::ThrowStatusWrapper> status_;
    fb::Ref<Firebird::IAttachment> attachment_;  // set and cleared under attachmentMutex_
    std::mutex attachmentMutex_;                  // lets cancelRunning reach the attachment from another thread
    fb::Ref<Firebird::ITransaction> transaction_;
    fb::Ref<Firebird::ITransaction> sharedReadOnly_;
    struct Prepared {
        fb::Ref<Firebird::IStatement> stmt;
        bool inUse = false;
        std::shared_ptr<const OutputShape> output;
    };
    std::map<std::string, Prepared> prepared_;
    std::unordered_map<std::string, std::shared_ptr<TextShape>> shapes_;
    std::vector<Statement*> statements_;
    std::function<void()> beforeWrite_;
    long long prepares_ = 0;
    bool neverCommit_ = false;
};

}  // namespace conversor
