#pragma once
// Which columns a refused insert's text values did not fit. The server only
// says that a string was truncated; the widths are in the target's system
// tables, and the values are still bound to the insert.
#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace conversor {

class Connection;
class DbError;
class Statement;

bool IsStringTruncation(const DbError& e);

// The table and, for each column, the parameter its value comes from
// (":NAME"), of "INSERT INTO table (columns) VALUES (values)". Columns whose
// value is not a lone parameter are left out; empty for another statement.
struct InsertColumns {
    std::string table;
    std::vector<std::pair<std::string, std::string>> columnParams;
};
InsertColumns ParseInsert(std::string_view sql);

struct TooLong {
    std::string column;
    std::size_t length = 0;  // of the value bound
    std::size_t width = 0;   // of the column
};

// Widths of the text columns of the tables asked about, read once per table.
class ColumnWidths {
public:
    // The columns of insert's table whose bound text is longer than the column.
    std::vector<TooLong> tooLong(Connection& target, const Statement& insert);

private:
    const std::map<std::string, std::size_t>& widthsOf(Connection& target, const std::string& table);
    std::map<std::string, std::map<std::string, std::size_t>> tables_;
};

// "NOME: 61 caracteres para 60" for each column, joined by "; ".
std::string DescribeTooLong(const std::vector<TooLong>& columns);

}  // namespace conversor
