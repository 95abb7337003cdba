#include "db/row_mapping.h"

namespace conversor {

std::string RowMapping::in(std::string_view column) const { return source_.field(column).asText(); }

void RowMapping::out(std::string_view param, std::string value) const {
    target_.param(param).setText(std::move(value));
}

void RowMapping::outFirst(std::string_view param, std::string_view value, std::size_t n) const {
    target_.param(param).setFirst(value, n);
}

void RowMapping::copy(std::string_view name) const { out(name, in(name)); }

void RowMapping::copyDate(std::string_view name) const {
    target_.param(name).setDate(source_.field(name).asDateTime());
}

void RowMapping::copyNumber(std::string_view name, double (*read)(const Field&)) const {
    Parameter& target = target_.param(name);
    const Field value = source_.field(name);
    target.setDouble(read ? read(value) : value.asDouble());
}

}  // namespace conversor
