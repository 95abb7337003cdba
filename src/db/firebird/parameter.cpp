#include "db/firebird/parameter.h"

#include "db/firebird/number_text.h"

namespace conversor {

void Parameter::setText(std::string value) {
    kind_ = Kind::Text;
    cut_ = false;
    text_ = std::move(value);
}
void Parameter::setFirst(std::string_view value, std::size_t n) {
    kind_ = Kind::Text;
    cut_ = value.size() > n;
    text_.assign(value.substr(0, n));
}
void Parameter::setInt(long long value) {
    kind_ = Kind::Integer;
    cut_ = false;
    integer_ = value;
}
void Parameter::setDouble(double value) {
    kind_ = Kind::Float;
    cut_ = false;
    float_ = value;
}
void Parameter::setDate(DateTime value) {
    kind_ = Kind::Date;
    cut_ = false;
    date_ = DateTime{value.days, 0};
}
void Parameter::setBlob(std::string value) {
    kind_ = Kind::Blob;
    cut_ = false;
    text_ = std::move(value);
}
void Parameter::setNull() {
    kind_ = Kind::Null;
    cut_ = false;
}

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
