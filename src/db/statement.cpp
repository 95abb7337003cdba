#include "db/statement.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "db/connection.h"
#include "db/error.h"
#include "db/fb_api.h"

namespace conversor {

using namespace Firebird;

namespace {
constexpr int kIscDayZero = 15018;  // 1899-12-30 in the server's day count
constexpr unsigned kMaxVarying = 32765;

std::string trimmed(std::string_view s) {
    std::size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= 32) ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= 32) --e;
    return std::string(s.substr(b, e - b));
}

std::string scaledToText(long long value, int scale) {
    if (scale >= 0) {
        std::string out = std::to_string(value);
        if (value != 0) out.append(static_cast<std::size_t>(scale), '0');
        return out;
    }
    const bool negative = value < 0;
    unsigned long long magnitude = negative ? 0ULL - static_cast<unsigned long long>(value) : value;
    std::string digits = std::to_string(magnitude);
    const std::size_t places = static_cast<std::size_t>(-scale);
    if (digits.size() <= places) digits.insert(0, places - digits.size() + 1, '0');
    std::string out = digits.substr(0, digits.size() - places);
    std::string fraction = digits.substr(digits.size() - places);
    while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
    if (!fraction.empty()) out += "." + fraction;
    return negative && out != "0" ? "-" + out : out;
}

template <typename F>
std::string floatToText(F value) {
    // Shortest text that reads back as the same number, in plain notation.
    char buf[400];
    auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
    std::string out(buf, res.ptr);
    return out == "-0" ? "0" : out;
}

long long textToInt(const std::string& text) {
    std::string t = trimmed(text);
    long long value = 0;
    const char* first = t.data() + (!t.empty() && t[0] == '+' ? 1 : 0);
    auto res = std::from_chars(first, t.data() + t.size(), value);
    if (t.empty() || res.ec != std::errc() || res.ptr != t.data() + t.size())
        throw DbError("'" + text + "' is not a valid integer value");
    return value;
}

double textToDouble(const std::string& text) {
    std::string t = trimmed(text);
    double value = 0;
    const char* first = t.data() + (!t.empty() && t[0] == '+' ? 1 : 0);
    auto res = std::from_chars(first, t.data() + t.size(), value);
    if (t.empty() || res.ec != std::errc() || res.ptr != t.data() + t.size())
        throw DbError("'" + text + "' is not a valid floating point value");
    return value;
}

// The double nearest the exact decimal value of a scaled integer, as the
// engine's own cast gives it. Multiplying by a negative power of ten is not:
// 0.01 is itself inexact, so 9960 * 0.01 is 99.60000000000001. Dividing two
// exact doubles rounds once, correctly; past 2^53 the decimal text is read.
double scaledToDouble(long long value, int scale) {
    static constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                              1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                              1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    constexpr long long kExactLimit = 1LL << 53;
    if (scale == 0) return static_cast<double>(value);
    if (scale < 0 && -scale <= 22 && value <= kExactLimit && value >= -kExactLimit)
        return static_cast<double>(value) / kPowersOfTen[-scale];
    return textToDouble(scaledToText(value, scale));
}

constexpr int kMaxStatementRestarts = 10;

bool isUpdateConflict(const FbException& e) {
    const std::vector<long> codes = fb::Codes(e.getStatus());
    return std::find(codes.begin(), codes.end(), isc_update_conflict) != codes.end();
}

// Undoes a statement's own transaction after a failure that is already
// being reported; one that cannot be undone is released, and the server
// undoes it.
void rollbackQuietly(ThrowStatusWrapper& st, fb::Ref<ITransaction>& tra) {
    if (!tra) return;
    try {
        tra->rollback(&st);
        tra.forget();
    } catch (const FbException&) {
        tra.reset();
    }
}
}  // namespace

// ---------------------------------------------------------------- Parameter

void Parameter::setText(std::string value) {
    kind_ = Kind::Text;
    text_ = std::move(value);
}
void Parameter::setInt(long long value) {
    kind_ = Kind::Integer;
    integer_ = value;
}
void Parameter::setDouble(double value) {
    kind_ = Kind::Float;
    float_ = value;
}
void Parameter::setDate(DateTime value) {
    kind_ = Kind::Date;
    date_ = DateTime{value.days, 0};
}
void Parameter::setBlob(std::string value) {
    kind_ = Kind::Blob;
    text_ = std::move(value);
}
void Parameter::setNull() { kind_ = Kind::Null; }

std::string Parameter::asText() const {
    switch (kind_) {
        case Kind::Text:
        case Kind::Blob: return text_;
        case Kind::Integer: return std::to_string(integer_);
        case Kind::Float: return floatToText(float_);
        case Kind::Date: return date_.toText(false);
        default: return {};
    }
}

// ---------------------------------------------------------------- Statement

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

ITransaction* Statement::beginWork(bool& own, fb::Ref<ITransaction>& owned) {
    ITransaction* tra = cn_->transaction();
    own = false;
    return tra ? tra : cn_->autoTransaction(own, owned);
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

// A blob's value of up to a text's size travels as a text, and the server
// writes the blob itself: the bytes stored are the same, and a row's commit
// writes a page less than with a blob created beforehand from here.
bool Statement::travelsAsText(const Parameter& p) {
    return p.kind_ == Parameter::Kind::Text || (p.kind_ == Parameter::Kind::Blob && p.text_.size() <= kMaxVarying);
}

void Statement::buildInput(ITransaction* tra) {
    ThrowStatusWrapper& st = cn_->status();
    const std::vector<std::size_t>& positions = shape_->parsed.positions;
    const std::size_t n = positions.size();
    if (n == 0) {
        layout_.reset();
        inBuffer_.clear();
        return;
    }
    // Each value travels with its own type; the server converts it to the
    // column's. A text's room only grows, so a text's layout settles after a
    // few rows and is built again only when a type or a room changes.
    types_.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        const Parameter& p = params_[positions[i]];
        SlotType& t = types_[i];
        switch (p.kind_) {
            case Parameter::Kind::Blob:
                if (!travelsAsText(p)) {
                    t = {SQL_BLOB, 8};
                    break;
                }
                [[fallthrough]];
            case Parameter::Kind::Text: {
                if (p.text_.size() > kMaxVarying)
                    throw DbError("Value of parameter '" + p.name() + "' is longer than " + std::to_string(kMaxVarying) + " bytes");
                unsigned& room = shape_->rooms[i];
                if (room < 32) room = 32;
                while (room < p.text_.size()) room = std::min(room * 2, kMaxVarying);
                t = {SQL_VARYING, room};
                break;
            }
            case Parameter::Kind::Null: {
                // A null travels in whatever slot the position already has, so
                // a column that is null on some rows does not rebuild the message.
                const InputLayout* known = shape_->layout ? shape_->layout.get() : layout_.get();
                t = known && i < known->types.size() ? known->types[i] : SlotType{SQL_VARYING, 1};
                break;
            }
            case Parameter::Kind::Integer: t = {SQL_INT64, 8}; break;
            case Parameter::Kind::Float: t = {SQL_DOUBLE, 8}; break;
            case Parameter::Kind::Date: t = {SQL_TIMESTAMP, 8}; break;
            case Parameter::Kind::Unset: throw DbError("No value for parameter '" + p.name() + "'");
        }
    }
    if (!layout_ || layout_->types != types_) {
        if (shape_->layout && shape_->layout->types == types_) layout_ = shape_->layout;
        else layout_ = shape_->layout = BuildInputLayout(types_);
        inBuffer_.assign(layout_->length, 0);
    }
    for (std::size_t i = 0; i < n; ++i) {
        const Parameter& p = params_[positions[i]];
        unsigned char* value = inBuffer_.data() + layout_->offsets[i];
        short isNull = p.kind_ == Parameter::Kind::Null ? -1 : 0;
        std::memcpy(inBuffer_.data() + layout_->nullOffsets[i], &isNull, sizeof isNull);
        if (travelsAsText(p)) {
            auto len = static_cast<unsigned short>(p.text_.size());
            std::memcpy(value, &len, sizeof len);
            std::memcpy(value + sizeof len, p.text_.data(), len);
            continue;
        }
        switch (p.kind_) {
            case Parameter::Kind::Integer: std::memcpy(value, &p.integer_, 8); break;
            case Parameter::Kind::Float: std::memcpy(value, &p.float_, 8); break;
            case Parameter::Kind::Date: {
                ISC_TIMESTAMP ts{p.date_.days + kIscDayZero, 0};
                std::memcpy(value, &ts, sizeof ts);
                break;
            }
            case Parameter::Kind::Blob: {
                ISC_QUAD id{};
                fb::Guard([&] {
                    fb::Ref<IBlob> blob(cn_->attachment()->createBlob(&st, tra, &id, 0, nullptr));
                    for (std::size_t at = 0; at < p.text_.size(); at += 32768) {
                        auto len = static_cast<unsigned>(std::min<std::size_t>(32768, p.text_.size() - at));
                        blob->putSegment(&st, len, p.text_.data() + at);
                    }
                    blob->close(&st);
                    blob.forget();
                });
                std::memcpy(value, &id, sizeof id);
                break;
            }
            default: break;
        }
    }
}

void Statement::execute() {
    requireValues();
    close();
    bool own = false;
    fb::Ref<ITransaction> owned;
    ITransaction* tra = beginWork(own, owned);
    ThrowStatusWrapper& st = cn_->status();
    try {
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
            buildInput(tra);  // blobs are created anew for each attempt
            try {
                const OutputShape& out = *prepared_.output;
                const bool hasOutput = !out.columns.empty();
                if (hasOutput) executeOut_.resize(out.length);
                prepared_.stmt->execute(&st, tra, layout_ ? layout_->meta : nullptr,
                                        inBuffer_.empty() ? nullptr : inBuffer_.data(), hasOutput ? out.meta : nullptr,
                                        hasOutput ? executeOut_.data() : nullptr);
                break;
            } catch (const FbException& e) {
                if (attempt < kMaxStatementRestarts && isUpdateConflict(e)) continue;
                throw fb::Error(e);
            }
        }
        if (own) fb::Guard([&] {
            owned->commit(&st);
            owned.forget();
        });
    } catch (DbError& e) {
        rollbackQuietly(st, owned);
        if (e.statement().empty()) e.setStatement(text_);
        throw;
    } catch (...) {
        rollbackQuietly(st, owned);
        throw;
    }
}

void Statement::prepare() {
    if (!cn_) throw DbError("Statement has no connection");
    if (!shape_ || shape_->parsed.sql.empty()) throw DbError("Statement text is empty");
    close();
    bool own = false;
    fb::Ref<ITransaction> owned;
    ITransaction* tra = beginWork(own, owned);
    ThrowStatusWrapper& st = cn_->status();
    try {
        prepareFor(tra);
        if (own) fb::Guard([&] {
            owned->commit(&st);
            owned.forget();
        });
    } catch (DbError& e) {
        rollbackQuietly(st, owned);
        if (e.statement().empty()) e.setStatement(text_);
        throw;
    }
}

void Statement::open() {
    requireValues();
    close();
    bool own = false;
    fb::Ref<ITransaction> owned;
    ITransaction* tra = beginWork(own, owned);
    ThrowStatusWrapper& st = cn_->status();
    try {
        prepareFor(tra);
        buildInput(tra);
        output_ = prepared_.output;
        outBuffer_.assign(output_->length, 0);
        fb::Guard([&] {
            cursor_ = fb::Ref<IResultSet>(prepared_.stmt->openCursor(
                &st, tra, layout_ ? layout_->meta : nullptr, inBuffer_.empty() ? nullptr : inBuffer_.data(),
                output_->meta, 0));
        });
    } catch (DbError& e) {
        rollbackQuietly(st, owned);
        if (e.statement().empty()) e.setStatement(text_);
        throw;
    } catch (...) {
        rollbackQuietly(st, owned);
        throw;
    }
    cursorTra_ = tra;
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
            fb::Ref<IResultSet> rs(counter.stmt->openCursor(&st, cursorTra_, layout_ ? layout_->meta : nullptr,
                                                            inBuffer_.empty() ? nullptr : inBuffer_.data(),
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

// -------------------------------------------------------------------- Field

bool Field::isNull() const {
    if (st_->eof_ && !st_->cursor_) return true;
    const auto& c = st_->output_->columns[index_];
    short flag;
    std::memcpy(&flag, st_->outBuffer_.data() + c.nullOffset, sizeof flag);
    return flag != 0;
}

std::string Field::asText() const {
    if (isNull()) return {};
    const auto& c = st_->output_->columns[index_];
    const unsigned char* v = st_->outBuffer_.data() + c.offset;
    switch (c.type) {
        case SQL_TEXT: return std::string(reinterpret_cast<const char*>(v), c.length);
        case SQL_VARYING: {
            unsigned short len;
            std::memcpy(&len, v, sizeof len);
            return std::string(reinterpret_cast<const char*>(v) + sizeof len, len);
        }
        case SQL_SHORT: { short x; std::memcpy(&x, v, 2); return scaledToText(x, c.scale); }
        case SQL_LONG: { int x; std::memcpy(&x, v, 4); return scaledToText(x, c.scale); }
        case SQL_INT64: { long long x; std::memcpy(&x, v, 8); return scaledToText(x, c.scale); }
        case SQL_FLOAT: { float x; std::memcpy(&x, v, 4); return floatToText(x); }
        case SQL_DOUBLE:
        case SQL_D_FLOAT: { double x; std::memcpy(&x, v, 8); return floatToText(x); }
        case SQL_TYPE_DATE:
        case SQL_TIMESTAMP: return asDateTime().toText(c.type == SQL_TIMESTAMP);
        case SQL_TYPE_TIME: {
            ISC_TIME t;
            std::memcpy(&t, v, sizeof t);
            char buf[16];
            unsigned s = t / 10000;
            std::snprintf(buf, sizeof buf, "%02u:%02u:%02u", s / 3600, s / 60 % 60, s % 60);
            return buf;
        }
        case SQL_BOOLEAN: return *v ? "True" : "False";
        case SQL_BLOB: return st_->readBlob(v);
        default: throw DbError("Field '" + c.name + "' has a type that cannot be read as text");
    }
}

long long Field::asInt() const {
    if (isNull()) return 0;
    const auto& c = st_->output_->columns[index_];
    const unsigned char* v = st_->outBuffer_.data() + c.offset;
    switch (c.type) {
        case SQL_SHORT:
        case SQL_LONG:
        case SQL_INT64:
            if (c.scale == 0) {
                long long x = 0;
                if (c.type == SQL_SHORT) { short s; std::memcpy(&s, v, 2); x = s; }
                else if (c.type == SQL_LONG) { int s; std::memcpy(&s, v, 4); x = s; }
                else std::memcpy(&x, v, 8);
                return x;
            }
            return std::llround(asDouble());
        case SQL_FLOAT:
        case SQL_DOUBLE:
        case SQL_D_FLOAT: return std::llround(asDouble());
        case SQL_TYPE_DATE:
        case SQL_TIMESTAMP: return asDateTime().days;
        default: return textToInt(asText());
    }
}

double Field::asDouble() const {
    if (isNull()) return 0;
    const auto& c = st_->output_->columns[index_];
    const unsigned char* v = st_->outBuffer_.data() + c.offset;
    switch (c.type) {
        case SQL_SHORT: { short x; std::memcpy(&x, v, 2); return scaledToDouble(x, c.scale); }
        case SQL_LONG: { int x; std::memcpy(&x, v, 4); return scaledToDouble(x, c.scale); }
        case SQL_INT64: { long long x; std::memcpy(&x, v, 8); return scaledToDouble(x, c.scale); }
        case SQL_FLOAT: { float x; std::memcpy(&x, v, 4); return x; }
        case SQL_DOUBLE:
        case SQL_D_FLOAT: { double x; std::memcpy(&x, v, 8); return x; }
        case SQL_TYPE_DATE:
        case SQL_TIMESTAMP: { DateTime d = asDateTime(); return d.days + d.millis / 86400000.0; }
        default: return textToDouble(asText());
    }
}

DateTime Field::asDateTime() const {
    if (isNull()) return {};
    const auto& c = st_->output_->columns[index_];
    const unsigned char* v = st_->outBuffer_.data() + c.offset;
    switch (c.type) {
        case SQL_TYPE_DATE: { ISC_DATE d; std::memcpy(&d, v, sizeof d); return {d - kIscDayZero, 0}; }
        case SQL_TIMESTAMP: {
            ISC_TIMESTAMP ts;
            std::memcpy(&ts, v, sizeof ts);
            return {ts.timestamp_date - kIscDayZero, static_cast<int>(ts.timestamp_time / 10)};
        }
        default: {
            std::string text = asText();
            int d = 0, m = 0, y = 0;
            char tail = 0;
            if (std::sscanf(text.c_str(), "%d.%d.%d%c", &d, &m, &y, &tail) == 3 && d >= 1 && d <= 31 && m >= 1 && m <= 12)
                return DateTime::FromYmd(y, m, d);
            throw DbError("'" + text + "' is not a valid date");
        }
    }
}

}  // namespace conversor
