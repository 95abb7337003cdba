#include <cmath>
#include <cstdio>
#include <cstring>

#include "db/firebird/error.h"
#include "db/firebird/fb_api.h"
#include "db/firebird/number_text.h"
#include "db/firebird/statement.h"

namespace conversor {

using namespace Firebird;

namespace {
constexpr int kIscDayZero = 15018;  // 1899-12-30 in the server's day count
}  // namespace

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
        case SQL_SHORT: { short x; std::memcpy(&x, v, 2); return ScaledToText(x, c.scale); }
        case SQL_LONG: { int x; std::memcpy(&x, v, 4); return ScaledToText(x, c.scale); }
        case SQL_INT64: { long long x; std::memcpy(&x, v, 8); return ScaledToText(x, c.scale); }
        case SQL_FLOAT: { float x; std::memcpy(&x, v, 4); return FloatToText(x); }
        case SQL_DOUBLE:
        case SQL_D_FLOAT: { double x; std::memcpy(&x, v, 8); return FloatToText(x); }
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
        default: return TextToInt(asText());
    }
}

double Field::asDouble() const {
    if (isNull()) return 0;
    const auto& c = st_->output_->columns[index_];
    const unsigned char* v = st_->outBuffer_.data() + c.offset;
    switch (c.type) {
        case SQL_SHORT: { short x; std::memcpy(&x, v, 2); return ScaledToDouble(x, c.scale); }
        case SQL_LONG: { int x; std::memcpy(&x, v, 4); return ScaledToDouble(x, c.scale); }
        case SQL_INT64: { long long x; std::memcpy(&x, v, 8); return ScaledToDouble(x, c.scale); }
        case SQL_FLOAT: { float x; std::memcpy(&x, v, 4); return x; }
        case SQL_DOUBLE:
        case SQL_D_FLOAT: { double x; std::memcpy(&x, v, 8); return x; }
        case SQL_TYPE_DATE:
        case SQL_TIMESTAMP: { DateTime d = asDateTime(); return d.days + d.millis / 86400000.0; }
        default: return TextToDouble(asText());
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
