#include "db/firebird/input_message.h"

#include <algorithm>
#include <cstring>

#include "db/firebird/connection.h"
#include "db/firebird/error.h"
#include "db/firebird/fb_api.h"

namespace conversor {

using namespace Firebird;

namespace {
constexpr int kIscDayZero = 15018;  // 1899-12-30 in the server's day count
constexpr unsigned kMaxVarying = 32765;

// A blob's value of up to a text's size travels as a text, and the server
// writes the blob itself: the bytes stored are the same, and a row's commit
// writes a page less than with a blob created beforehand from here.
bool travelsAsText(const Parameter& p) {
    return p.kind() == Parameter::Kind::Text || (p.kind() == Parameter::Kind::Blob && p.bytes().size() <= kMaxVarying);
}
}  // namespace

void InputMessage::build(Connection& cn, ITransaction* tra, const std::vector<Parameter>& params, TextShape& shape) {
    ThrowStatusWrapper& st = cn.status();
    const std::vector<std::size_t>& positions = shape.parsed.positions;
    const std::size_t n = positions.size();
    if (n == 0) {
        layout_.reset();
        buffer_.clear();
        return;
    }
    // Each value travels with its own type; the server converts it to the
    // column's. A text's room only grows, so a text's layout settles after a
    // few rows and is built again only when a type or a room changes.
    types_.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        const Parameter& p = params[positions[i]];
        SlotType& t = types_[i];
        switch (p.kind()) {
            case Parameter::Kind::Blob:
                if (!travelsAsText(p)) {
                    t = {SQL_BLOB, 8};
                    break;
                }
                [[fallthrough]];
            case Parameter::Kind::Text: {
                if (p.bytes().size() > kMaxVarying)
                    throw DbError("Value of parameter '" + p.name() + "' is longer than " + std::to_string(kMaxVarying) + " bytes");
                unsigned& room = shape.rooms[i];
                if (room < 32) room = 32;
                while (room < p.bytes().size()) room = std::min(room * 2, kMaxVarying);
                t = {SQL_VARYING, room};
                break;
            }
            case Parameter::Kind::Null: {
                // A null travels in whatever slot the position already has, so
                // a column that is null on some rows does not rebuild the message.
                const InputLayout* known = shape.layout ? shape.layout.get() : layout_.get();
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
        if (shape.layout && shape.layout->types == types_) layout_ = shape.layout;
        else layout_ = shape.layout = BuildInputLayout(types_);
        buffer_.assign(layout_->length, 0);
    }
    for (std::size_t i = 0; i < n; ++i) {
        const Parameter& p = params[positions[i]];
        unsigned char* value = buffer_.data() + layout_->offsets[i];
        short isNull = p.kind() == Parameter::Kind::Null ? -1 : 0;
        std::memcpy(buffer_.data() + layout_->nullOffsets[i], &isNull, sizeof isNull);
        if (travelsAsText(p)) {
            auto len = static_cast<unsigned short>(p.bytes().size());
            std::memcpy(value, &len, sizeof len);
            std::memcpy(value + sizeof len, p.bytes().data(), len);
            continue;
        }
        switch (p.kind()) {
            case Parameter::Kind::Integer: {
                const long long integer = p.integer();
                std::memcpy(value, &integer, 8);
                break;
            }
            case Parameter::Kind::Float: {
                const double number = p.number();
                std::memcpy(value, &number, 8);
                break;
            }
            case Parameter::Kind::Date: {
                ISC_TIMESTAMP ts{p.date().days + kIscDayZero, 0};
                std::memcpy(value, &ts, sizeof ts);
                break;
            }
            case Parameter::Kind::Blob: {
                ISC_QUAD id{};
                fb::Guard([&] {
                    fb::Ref<IBlob> blob(cn.attachment()->createBlob(&st, tra, &id, 0, nullptr));
                    for (std::size_t at = 0; at < p.bytes().size(); at += 32768) {
                        auto len = static_cast<unsigned>(std::min<std::size_t>(32768, p.bytes().size() - at));
                        blob->putSegment(&st, len, p.bytes().data() + at);
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

}  // namespace conversor
