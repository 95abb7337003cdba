#include "db/truncated_columns.h"

#include <cctype>

#include "db/firebird/error.h"
#include "db/firebird/statement.h"

namespace conversor {

namespace {
constexpr long kStringTruncation = 335544914;  // isc_string_truncation
constexpr long kTruncLimits = 335545033;       // isc_trunc_limits

std::string Upper(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
    return s;
}

// The comma-separated items between the parenthesis at open and its match;
// pos is left after the closing one. Quotes and nested parentheses are kept whole.
std::vector<std::string_view> ListAt(std::string_view sql, std::size_t open, std::size_t& pos) {
    std::vector<std::string_view> items;
    int depth = 0;
    char quote = 0;
    std::size_t start = open + 1;
    for (std::size_t i = open; i < sql.size(); ++i) {
        const char c = sql[i];
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if (c == '(') {
            ++depth;
        } else if (c == ')') {
            if (--depth == 0) {
                items.push_back(Trimmed(sql.substr(start, i - start)));
                pos = i + 1;
                return items;
            }
        } else if (c == ',' && depth == 1) {
            items.push_back(Trimmed(sql.substr(start, i - start)));
            start = i + 1;
        }
    }
    pos = sql.size();
    return {};
}
}  // namespace

bool IsStringTruncation(const DbError& e) {
    return e.has(kStringTruncation) || e.has(kTruncLimits) ||
           std::string_view(e.what()).find("string truncation") != std::string_view::npos;
}

InsertColumns ParseInsert(std::string_view sql) {
    const std::string upper = Upper(sql);
    InsertColumns out;
    std::size_t into = upper.find("INTO");
    if (Trimmed(std::string_view(upper).substr(0, into == std::string::npos ? 0 : into)) != "INSERT") return out;
    std::size_t open = upper.find('(', into);
    if (open == std::string::npos) return out;
    const std::string table(Trimmed(std::string_view(upper).substr(into + 4, open - into - 4)));
    std::size_t pos = 0;
    const auto columns = ListAt(sql, open, pos);
    const std::size_t values = upper.find("VALUES", pos);
    if (values == std::string::npos) return out;
    const std::size_t valuesOpen = upper.find('(', values);
    if (valuesOpen == std::string::npos) return out;
    const auto params = ListAt(sql, valuesOpen, pos);
    if (columns.size() != params.size()) return out;
    out.table = table;
    for (std::size_t i = 0; i < columns.size(); ++i)
        if (params[i].size() > 1 && params[i][0] == ':') out.columnParams.emplace_back(Upper(columns[i]), Upper(params[i].substr(1)));
    return out;
}

const std::map<std::string, std::size_t>& ColumnWidths::widthsOf(Connection& target, const std::string& table) {
    auto known = tables_.find(table);
    if (known != tables_.end()) return known->second;
    std::map<std::string, std::size_t>& widths = tables_[table];
    Statement q(target);
    // Fixed and varying texts only: 14 CHAR, 37 VARCHAR.
    q.setText("SELECT RF.RDB$FIELD_NAME AS NAME, COALESCE(F.RDB$CHARACTER_LENGTH, F.RDB$FIELD_LENGTH) AS WIDTH "
              "FROM RDB$RELATION_FIELDS RF JOIN RDB$FIELDS F ON F.RDB$FIELD_NAME = RF.RDB$FIELD_SOURCE "
              "WHERE RF.RDB$RELATION_NAME = :TABLE_NAME AND F.RDB$FIELD_TYPE IN (14, 37)");
    q.param("TABLE_NAME").setText(table);
    for (q.open(); !q.eof(); q.next())
        widths[std::string(Trimmed(q.field("NAME").asText()))] = static_cast<std::size_t>(q.field("WIDTH").asInt());
    q.close();
    return widths;
}

std::vector<TooLong> ColumnWidths::tooLong(Connection& target, const Statement& insert) {
    const InsertColumns parsed = ParseInsert(insert.text());
    std::vector<TooLong> out;
    if (parsed.table.empty()) return out;
    const auto& widths = widthsOf(target, parsed.table);
    for (const auto& [column, param] : parsed.columnParams) {
        const auto width = widths.find(column);
        if (width == widths.end()) continue;
        for (const Parameter& p : insert.params()) {
            if (p.kind() != Parameter::Kind::Text || Upper(p.name()) != param) continue;
            const std::size_t length = p.asText().size();
            if (length > width->second) out.push_back({column, length, width->second});
            break;
        }
    }
    return out;
}

std::string DescribeTooLong(const std::vector<TooLong>& columns) {
    std::string out;
    for (const TooLong& c : columns) {
        if (!out.empty()) out += "; ";
        out += c.column + ": " + std::to_string(c.length) + " caracteres para " + std::to_string(c.width);
    }
    return out;
}

}  // namespace conversor
