#pragma once
// A statement with named parameters over one connection, the way every
// converter reads its source and writes its target. The prepared form is
// kept per text by the connection, so setting the same text again costs
// nothing; parameter values survive a new text when the name reappears.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "db/firebird/connection.h"
#include "db/firebird/date_time.h"
#include "db/firebird/input_message.h"
#include "db/firebird/named_params.h"
#include "db/firebird/parameter.h"
#include "db/firebird/statement_shape.h"

namespace Firebird {
class IStatement;
class IResultSet;
class ITransaction;
class IMessageMetadata;
}  // namespace Firebird

namespace conversor {

class Statement;

// A column of the current row. Null reads as an empty text, as 0, or as day
// zero (30 December 1899); fixed-width texts keep their trailing blanks.
class Field {
public:
    bool isNull() const;
    std::string asText() const;
    long long asInt() const;
    double asDouble() const;
    DateTime asDateTime() const;

private:
    friend class Statement;
    Field(const Statement& st, unsigned index) : st_(&st), index_(index) {}
    const Statement* st_;
    unsigned index_;
};

class Statement {
public:
    explicit Statement(Connection& connection);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Connection& connection() const { return *cn_; }

    // Closes the statement and replaces its text; see the header comment for
    // what happens to parameter values.
    void setText(std::string_view text);
    void clearText() { setText({}); }
    void addLine(std::string_view line);
    const std::string& text() const { return text_; }

    Parameter& param(std::string_view name);  // DbError when the text has none
    bool hasParam(std::string_view name) const;
    const std::vector<Parameter>& params() const { return params_; }

    void open();  // runs a selection and stands on its first row
    bool isOpen() const { return static_cast<bool>(cursor_); }
    bool eof() const { return eof_; }
    bool isEmpty() const { return bof_ && eof_; }
    void next();
    long long rowCount();  // rows the open selection yields, known before the first is read

    Field field(std::string_view name) const;  // DbError when there is no such column
    bool hasField(std::string_view name) const;
    std::size_t fieldCount() const { return output_ ? output_->columns.size() : 0; }
    Field field(std::size_t index) const { return Field(*this, static_cast<unsigned>(index)); }
    std::vector<std::string> rowTexts() const;  // every column of the current row as text

    void execute();  // a statement that returns no rows
    // Has the server prepare the text without running it: a DbError with the
    // server's reason when it names what the database lacks or is no valid
    // statement. Values need not be set. A definition is only parsed here.
    void prepare();
    void close();

    // --- for Connection ---
    void transactionEnding(Firebird::ITransaction* tra);
    void connectionClosing();
    void forgetConnection() { cn_ = nullptr; }

private:
    friend class Field;

    void requireValues() const;
    template <typename Work>
    fb::Ref<Firebird::ITransaction> inWork(bool commitOwn, Work&& work);
    void prepareFor(Firebird::ITransaction* tra);
    void releasePrepared();
    void fetch();
    void closeCursor(bool quietly);
    std::string readBlob(const unsigned char* id) const;

    Connection* cn_;
    std::string text_;
    std::shared_ptr<TextShape> shape_;
    std::vector<Parameter> params_;

    Connection::PreparedHandle prepared_;
    std::string preparedSql_;

    InputMessage input_;

    fb::Ref<Firebird::IResultSet> cursor_;
    Firebird::ITransaction* cursorTra_ = nullptr;   // the cursor's transaction
    fb::Ref<Firebird::ITransaction> cursorOwnTra_;  // the same, when the cursor started it
    // The columns of the last selection opened; kept after it closes, so its
    // fields still answer (as nulls).
    std::shared_ptr<const OutputShape> output_;
    std::vector<unsigned char> outBuffer_;
    std::vector<unsigned char> executeOut_;  // scratch for statements that return one row
    bool eof_ = true;
    bool bof_ = false;
    long long rowCount_ = -1;
};

}  // namespace conversor
