#include "db/firebird/parameter.h"

#include "db/firebird/number_text.h"

namespace conversor {

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
        case Kind::Float: return FloatToText(float_);
        case Kind::Date: return date_.toText(false);
        default: return {};
    }
}

}  // namespace conversor
