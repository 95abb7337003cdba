#include "db/firebird/connection.h"

#include <algorithm>

#include "db/firebird/fb_api.h"
#include "db/firebird/statement.h"

namespace conversor {

using namespace Firebird;

namespace {
constexpr const char* kEngineConfig = "DefaultDbCachePages = 512";

// The attachment and database parameter buffer used by open and create.
std::vector<unsigned char> databaseParameters(ThrowStatusWrapper& st, const ConnectionOptions& o, const char* charset) {
    fb::Ref<IXpbBuilder> dpb(fb::Util()->getXpbBuilder(&st, IXpbBuilder::DPB, nullptr, 0));
    dpb->insertString(&st, isc_dpb_user_name, o.user.c_str());
    dpb->insertString(&st, isc_dpb_password, o.password.c_str());
    dpb->insertInt(&st, isc_dpb_sql_dialect, o.dialect);
    // A conversion reads and appends; a small page cache serves it as well
    // as a large one, and keeps the program's memory the same for a small
    // store and a large one.
    if (!charset) dpb->insertString(&st, isc_dpb_config, kEngineConfig);
    if (charset) dpb->insertString(&st, isc_dpb_set_db_charset, charset);
    const unsigned char* buffer = dpb->getBuffer(&st);
    return std::vector<unsigned char>(buffer, buffer + dpb->getBufferLength(&st));
}

}  // namespace

Connection::Connection(ConnectionOptions options)
    : options_(std::move(options)),
      statusHandle_(fb::Master()->getStatus()),
      status_(std::make_unique<ThrowStatusWrapper>(statusHandle_.get())) {}

Connection::~Connection() {
    try {
        close();
    } catch (...) {
    }
    for (Statement* st : statements_) st->forgetConnection();
}

ThrowStatusWrapper& Connection::status() { return *status_; }

void Connection::open() {
    close();
    fb::Guard([&] {
        auto dpb = databaseParameters(*status_, options_, nullptr);
        fb::Ref<IProvider> provider(fb::Master()->getDispatcher());
        fb::Ref<IAttachment> attachment(provider->attachDatabase(status_.get(), database_.c_str(),
                                                                 static_cast<unsigned>(dpb.size()), dpb.data()));
        std::lock_guard<std::mutex> lock(attachmentMutex_);
        attachment_ = std::move(attachment);
    });
}

void Connection::cancelRunning() {
    std::lock_guard<std::mutex> lock(attachmentMutex_);
    if (!attachment_) return;
    fb::Ref<IStatus> status(fb::Master()->getStatus());
    CheckStatusWrapper st(status.get());
    // "nothing to cancel" between statements is no failure here.
    attachment_->cancelOperation(&st, fb_cancel_raise);
}

void Connection::close() {
    for (Statement* st : statements_) st->connectionClosing();
    fb::RollbackOrRelease(*status_, transaction_);
    if (sharedReadOnly_) {
        try {
            sharedReadOnly_->commit(status_.get());
            sharedReadOnly_.forget();
        } catch (const FbException&) {
            sharedReadOnly_.reset();
        }
    }
    releasePrepared();
    fb::Ref<IAttachment> attachment;
    {
        std::lock_guard<std::mutex> lock(attachmentMutex_);
        attachment = std::move(attachment_);
    }
    if (attachment) {
        try {
            attachment->detach(status_.get());
            attachment.forget();
        } catch (const FbException&) {
            attachment.reset();
        }
    }
}

void Connection::releasePrepared() {
    for (auto& [text, entry] : prepared_) {
        try {
            entry.stmt->free(status_.get());
            entry.stmt.forget();
        } catch (const FbException&) {
        }
    }
    prepared_.clear();
}

fb::Ref<ITransaction> Connection::startOwnTransaction() {
    if (!attachment_) open();
    auto tpb = fb::TransactionParameters(options_.readOnly);
    return fb::Guard([&] {
        return fb::Ref<ITransaction>(
            attachment_->startTransaction(status_.get(), static_cast<unsigned>(tpb.size()), tpb.data()));
    });
}

ITransaction* Connection::autoTransaction(fb::Ref<ITransaction>& owned) {
    if (neverCommit_) {
        startTransaction();
        return transaction_.get();
    }
    if (!options_.readOnly) {
        owned = startOwnTransaction();
        return owned.get();
    }
    if (!sharedReadOnly_) sharedReadOnly_ = startOwnTransaction();
    return sharedReadOnly_.get();
}

void Connection::startTransaction() {
    if (transaction_) return;
    transaction_ = startOwnTransaction();
}

void Connection::endTransaction(bool commit) {
    if (!transaction_) return;
    if (commit && neverCommit_) throw DbError("nothing is committed on this connection now");
    // Cursors opened in this transaction end with it.
    for (Statement* st : statements_) st->transactionEnding(transaction_.get());
    fb::Ref<ITransaction> tra = std::move(transaction_);
    fb::Guard([&] {
        try {
            if (commit) tra->commit(status_.get());
            else tra->rollback(status_.get());
            tra.forget();
        } catch (const FbException&) {
            // A failed commit leaves the transaction open: undo it so the
            // connection never keeps a half-done row.
            if (commit) fb::RollbackOrRelease(*status_, tra);
            throw;
        }
    });
}

void Connection::commit() { endTransaction(true); }
void Connection::rollback() { endTransaction(false); }

void Connection::executeImmediate(const std::string& sql) {
    Statement st(*this);
    st.setText(sql);
    st.execute();
}

Connection::PreparedHandle Connection::acquire(const std::string& sql, ITransaction* tra) {
    auto found = prepared_.find(sql);
    if (found != prepared_.end() && !found->second.inUse) {
        found->second.inUse = true;
        return {found->second.stmt.get(), true, found->second.output, {}};
    }
    ++prepares_;
    PreparedHandle handle;
    handle.owned = fb::Guard([&] {
        return fb::Ref<IStatement>(attachment_->prepare(status_.get(), tra, 0, sql.c_str(),
                                                        static_cast<unsigned>(options_.dialect),
                                                        IStatement::PREPARE_PREFETCH_METADATA));
    });
    handle.stmt = handle.owned.get();
    // A failure here drops the handle, and the statement with it.
    handle.output = DescribeOutput(handle.stmt, *status_);
    // Definitions change the schema and are prepared afresh each time; texts
    // built with literals would fill the cache without ever being reused.
    constexpr std::size_t kMaxCached = 256;
    handle.definition = fb::Guard([&] { return handle.stmt->getType(status_.get()); }) == isc_info_sql_stmt_ddl;
    handle.cached = found == prepared_.end() && prepared_.size() < kMaxCached && !handle.definition;
    if (handle.cached) prepared_.emplace(sql, Prepared{std::move(handle.owned), true, handle.output});
    return handle;
}

void Connection::giveBack(const std::string& sql, PreparedHandle&& handle) {
    if (handle.cached) {
        auto found = prepared_.find(sql);
        if (found != prepared_.end() && found->second.stmt.get() == handle.stmt) found->second.inUse = false;
        return;
    }
    if (!handle.owned) return;
    try {
        handle.owned->free(status_.get());
        handle.owned.forget();
    } catch (const FbException&) {
    }
}

std::vector<std::string> Connection::preparedTexts() const {
    std::vector<std::string> texts;
    for (const auto& [text, entry] : prepared_) texts.push_back(text);
    return texts;
}

std::shared_ptr<TextShape> Connection::textShape(const std::string& text) {
    auto found = shapes_.find(text);
    if (found != shapes_.end()) return found->second;
    auto shape = MakeTextShape(text);
    // Texts built with literals would never be met again.
    constexpr std::size_t kMaxShapes = 512;
    if (shapes_.size() < kMaxShapes) shapes_.emplace(text, shape);
    return shape;
}

void Connection::attach(Statement* st) { statements_.push_back(st); }

void Connection::detach(Statement* st) { statements_.erase(std::remove(statements_.begin(), statements_.end(), st), statements_.end()); }

void Connection::CreateDatabase(const std::string& path, int dialect, bool forcedWrites, const std::string& charset) {
    fb::Ref<IStatus> status(fb::Master()->getStatus());
    ThrowStatusWrapper st(status.get());
    ConnectionOptions options;
    options.dialect = dialect;
    fb::Guard([&] {
        auto dpb = databaseParameters(st, options, charset.c_str());
        fb::Ref<IXpbBuilder> builder(
            fb::Util()->getXpbBuilder(&st, IXpbBuilder::DPB, dpb.data(), static_cast<unsigned>(dpb.size())));
        builder->insertInt(&st, isc_dpb_force_write, forcedWrites ? 1 : 0);
        fb::Ref<IProvider> provider(fb::Master()->getDispatcher());
        fb::Ref<IAttachment> att(
            provider->createDatabase(&st, path.c_str(), builder->getBufferLength(&st), builder->getBuffer(&st)));
        att->detach(&st);
        att.forget();
    });
}

}  // namespace conversor
