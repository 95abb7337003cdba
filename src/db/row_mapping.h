#pragma once
// One source row mapped onto one target statement's parameters, the way each
// converter's binding reads its columns and sets its values.
#include <string>
#include <string_view>

#include "db/firebird/statement.h"

namespace conversor {

class RowMapping {
public:
    RowMapping(const Statement& source, Statement& target) : source_(source), target_(target) {}

    // The source row's column as text.
    std::string in(std::string_view column) const;

    // A text for the target's parameter; outFirst keeps its first n
    // characters (the cut is counted).
    void out(std::string_view param, std::string value) const;
    void outFirst(std::string_view param, std::string_view value, std::size_t n) const;

    // A column into the parameter of the same name: its text unchanged, its
    // day, or its number (read by `read` when the registry has a rule of its
    // own for it).
    void copy(std::string_view name) const;
    void copyDate(std::string_view name) const;
    void copyNumber(std::string_view name, double (*read)(const Field&) = nullptr) const;

private:
    const Statement& source_;
    Statement& target_;
};

}  // namespace conversor
