#include "db/firebird/statement.h"

#include <algorithm>
#include <cstring>

#include "db/firebird/connection.h"
#include "db/firebird/error.h"
#include "db/firebird/fb_api.h"

namespace conversor {

using namespace Firebird;

namespace {
constexpr int kMaxStatementRestarts = 10;

bool isUpdateConflict(const FbException& e) {
    const std::vector<long> codes = fb::Codes(e.getStatus());
    return std::find(codes.begin(), codes.end(), isc_update_conflict) != codes.end();
}

// The work of a statement that started its own transaction is kept once it
// has all been done; a failure to commit is undone by the caller's frame.
void CommitOwn(ThrowStatusWrapper& st, fb::Ref<ITransaction>& owned) {
    fb::Guard([&] {
        owned->commit(&st);
        owned.forget();
    });
}
}  // namespace

Statement::Statement(Connection& connection) : cn_(&connection) { cn_->attach(this); }

Statement::~Statement() {
    if (!cn_) return;
    closeCursor(true);
    releasePrepared();
    cn_->detach(this);
}

void Statement::setText(std::string_view text) {
    close();
    // The same text again (a converter sets its insert for every row): same
    // names, so every value stays, and nothing needs reading again.
    if (text == text_ && !text_.empty()) return;
    text_.assign(text);
    std::shared_ptr<TextShape> shape = cn_ ? cn_->textShape(text_) : MakeTextShape(text_);
    std::vector<Parameter> params(shape->parsed.names.size());
    for (unsigned i = 0; i < params.size(); ++i) {
        const std::string& name = shape->parsed.names[i];
        if (shape_)
            if (auto old = shape_->names.find(name)) params[i] = std::move(params_[*old]);
        params[i].name_ = &name;
    }
    params_ = std::move(params);
    shape_ = std::move(shape);
}

void Statement::addLine(std::string_view line) {
    std::string text = text_;
    if (!text.empty()) text += '\n';
    text.append(line);
    setText(text);
}

Parameter& Statement::param(std::string_view name) {
    if (shape_)
        if (auto i = shape_->names.find(name)) return params_[*i];
    throw DbError("Parameter '" + std::string(name) + "' not found");
}

bool Statement::hasParam(std::string_view name) const { return shape_ && shape_->names.find(name).has_value(); }

void Statement::requireValues() const {
    if (!cn_) throw DbError("Statement has no connection");
    for (const Parameter& p : params_)
        if (p.kind_ == Parameter::Kind::Unset) throw DbError("No value for parameter '" + p.name() + "'");
    if (!shape_ || shape_->parsed.sql.empty()) throw DbError("Statement text is empty");
}

// Runs work in the connection's transaction, or else in one of the
// statement's own: committed at the end when commitOwn says so, else handed
// back open (a cursor's). A failure undoes the own transaction and names the
// statement beside the server's text.
template <typename Work>
fb::Ref<ITransaction> Statement::inWork(bool commitOwn, Work&& work) {
    fb::Ref<ITransaction> owned;
    ITransaction* tra = cn_->transaction();
    if (!tra) tra = cn_->autoTransaction(owned);
    ThrowStatusWrapper& st = cn_->status();
    try {
        work(tra, st);
        if (owned && commitOwn) CommitOwn(st, owned);
    } catch (DbError& e) {
        fb::RollbackOrRelease(st, owned);
        if (e.statement().empty()) e.setStatement(text_);
        throw;
    } catch (...) {
        fb::RollbackOrRelease(st, owned);
        throw;
    }
    return owned;
}

void Statement::prepareFor(ITransaction* tra) {
    const std::string& sql = shape_->parsed.sql;
    if (prepared_.stmt && preparedSql_ == sql) return;
    releasePrepared();
    prepared_ = cn_->acquire(sql, tra);
    preparedSql_ = sql;
}

void Statement::releasePrepared() {
    if (!prepared_.stmt) return;
    Connection::PreparedHandle handle = std::move(prepared_);
    prepared_ = {};
    if (cn_) cn_->giveBack(preparedSql_, std::move(handle));
    preparedSql_.clear();
}

void Statement::execute() {
    requireValues();
    close();
    cn_->beforeWrite();
    inWork(true, [&](ITransaction* tra, ThrowStatusWrapper& st) {
        prepareFor(tra);
        if (prepared_.definition && cn_->neverCommits())
            throw DbError("a definition is not run while nothing may be committed");
        // A statement that waited for another user's change to a row fails
        // with an update conflict when that user commits (read committed as
        // this engine version does it). The failed statement has been undone
        // as a whole, so running it again in the same transaction sees the
        // committed row and does what it was meant to: the row the other user
        // held is neither skipped nor left behind. Newer engines restart such
        // a statement themselves.
        for (int attempt = 1;; ++attempt) {
            input_.build(*cn_, tra, params_, *shape_);  // blobs are created anew for each attempt
            try {
                const OutputShape& out = *prepared_.output;
                const bool hasOutput = !out.columns.empty();
                if (hasOutput) executeOut_.resize(out.length);
                prepared_.stmt->execute(&st, tra, input_.meta(),
                                        input_.data(), hasOutput ? out.meta : nullptr,
                                        hasOutput ? executeOut_.data() : nullptr);
                break;
            } catch (const FbException& e) {
                if (attempt < kMaxStatementRestarts && isUpdateConflict(e)) continue;
                throw fb::Error(e);
            }
        }
    });
}

void Statement::prepare() {
    if (!cn_) throw DbError("Statement has no connection");
    if (!shape_ || shape_->parsed.sql.empty()) throw DbError("Statement text is empty");
    close();
    inWork(true, [&](ITransaction* tra, ThrowStatusWrapper&) { prepareFor(tra); });
}

void Statement::open() {
    requireValues();
    close();
    ITransaction* cursorTra = nullptr;
    // The cursor keeps an own transaction until it is closed.
    fb::Ref<ITransaction> owned = inWork(false, [&](ITransaction* tra, ThrowStatusWrapper& st) {
        cursorTra = tra;
        prepareFor(tra);
        input_.build(*cn_, tra, params_, *shape_);
        output_ = prepared_.output;
        outBuffer_.assign(output_->length, 0);
        fb::Guard([&] {
            cursor_ = fb::Ref<IResultSet>(prepared_.stmt->openCursor(
                &st, tra, input_.meta(), input_.data(),
                output_->meta, 0));
        });
    });
    cursorTra_ = cursorTra;
    cursorOwnTra_ = std::move(owned);
    rowCount_ = -1;
    fetch();
    bof_ = true;
}

void Statement::fetch() {
    bof_ = false;
    if (!cursor_) {
        eof_ = true;
        return;
    }
    eof_ = fb::Guard([&] { return cursor_->fetchNext(&cn_->status(), outBuffer_.data()) != IStatus::RESULT_OK; });
}

void Statement::next() {
    if (!eof_) fetch();
}

long long Statement::rowCount() {
    if (!cursor_) return 0;
    if (rowCount_ >= 0) return rowCount_;
    ThrowStatusWrapper& st = cn_->status();
    const std::string sql = "SELECT COUNT(*) FROM (" + shape_->parsed.sql + ")";
    Connection::PreparedHandle counter = cn_->acquire(sql, cursorTra_);
    try {
        fb::Guard([&] {
            const OutputShape& out = *counter.output;
            std::vector<unsigned char> buf(out.length);
            const unsigned type = out.columns.at(0).type;
            const unsigned offset = out.columns.at(0).offset;
            fb::Ref<IResultSet> rs(counter.stmt->openCursor(&st, cursorTra_, input_.meta(),
                                                            input_.data(),
                                                            out.meta, 0));
            rs->fetchNext(&st, buf.data());
            rs->close(&st);
            rs.forget();
            if (type == SQL_INT64) {
                long long v;
                std::memcpy(&v, buf.data() + offset, 8);
                rowCount_ = v;
            } else {
                int v;
                std::memcpy(&v, buf.data() + offset, 4);
                rowCount_ = v;
            }
        });
    } catch (...) {
        cn_->giveBack(sql, std::move(counter));
        throw;
    }
    cn_->giveBack(sql, std::move(counter));
    return rowCount_;
}

void Statement::closeCursor(bool quietly) {
    if (!cursor_ && !cursorTra_) return;
    ThrowStatusWrapper& st = cn_->status();
    fb::Ref<IResultSet> rs = std::move(cursor_);
    fb::Ref<ITransaction> tra = std::move(cursorOwnTra_);
    cursorTra_ = nullptr;
    eof_ = true;
    // What is still held when a call throws is released on the way out.
    auto run = [&] {
        if (rs) {
            rs->close(&st);
            rs.forget();
        }
        if (tra) {
            tra->commit(&st);
            tra.forget();
        }
    };
    if (quietly) {
        try {
            run();
        } catch (const FbException&) {
        }
    } else {
        fb::Guard(run);
    }
}

void Statement::close() { closeCursor(false); }

void Statement::transactionEnding(ITransaction* tra) {
    if (cursor_ && cursorTra_ == tra) closeCursor(true);
}

void Statement::connectionClosing() {
    closeCursor(true);
    releasePrepared();
}

bool Statement::hasField(std::string_view name) const { return output_ && output_->index.find(name).has_value(); }

Field Statement::field(std::string_view name) const {
    if (output_)
        if (auto i = output_->index.find(name)) return Field(*this, *i);
    throw DbError("Field '" + std::string(name) + "' not found");
}

std::vector<std::string> Statement::rowTexts() const {
    std::vector<std::string> out;
    out.reserve(fieldCount());
    for (unsigned i = 0; i < fieldCount(); ++i) out.push_back(Field(*this, i).asText());
    return out;
}

std::string Statement::readBlob(const unsigned char* idBytes) const {
    ThrowStatusWrapper& st = cn_->status();
    ISC_QUAD id;
    std::memcpy(&id, idBytes, sizeof id);
    ITransaction* tra = cursorTra_ ? cursorTra_ : cn_->transaction();
    if (!tra) throw DbError("Blob read outside a transaction");
    std::string out;
    fb::Guard([&] {
        fb::Ref<IBlob> blob(cn_->attachment()->openBlob(&st, tra, &id, 0, nullptr));
        char buf[32768];
        for (;;) {
            unsigned got = 0;
            int rc = blob->getSegment(&st, sizeof buf, buf, &got);
            if (rc == IStatus::RESULT_OK || rc == IStatus::RESULT_SEGMENT) out.append(buf, got);
            else break;
        }
        blob->close(&st);
        blob.forget();
    });
    return out;
}

}  // namespace conversor
