#include "db/firebird/named_params.h"

namespace conversor {

namespace {
// Names are ASCII whatever the locale: a Windows-1252 letter after a colon in
// a statement is not a parameter, and no byte test asks the C library.
bool letter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool digit(char c) { return c >= '0' && c <= '9'; }
bool nameStart(char c) { return letter(c) || c == '_'; }
bool namePart(char c) { return letter(c) || digit(c) || c == '_' || c == '$'; }
char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
}  // namespace

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (upper(a[i]) != upper(b[i])) return false;
    return true;
}

std::size_t NameIndex::Hash::operator()(std::string_view s) const {
    std::size_t h = 14695981039346656037ull;
    for (char c : s) h = (h ^ static_cast<unsigned char>(upper(c))) * 1099511628211ull;
    return h;
}

ParsedStatement ParseNamedParameters(std::string_view text) {
    ParsedStatement out;
    out.sql.reserve(text.size());
    std::size_t i = 0;
    const std::size_t n = text.size();
    auto copyUntil = [&](std::size_t end) {
        out.sql.append(text.substr(i, end - i));
        i = end;
    };
    while (i < n) {
        const char c = text[i];
        if (c == '\'' || c == '"') {
            // A doubled quote inside stays part of the literal.
            std::size_t j = i + 1;
            while (j < n) {
                if (text[j] == c) {
                    if (j + 1 < n && text[j + 1] == c) { j += 2; continue; }
                    break;
                }
                ++j;
            }
            copyUntil(j < n ? j + 1 : n);
        } else if (c == '-' && i + 1 < n && text[i + 1] == '-') {
            std::size_t j = text.find('\n', i);
            copyUntil(j == std::string_view::npos ? n : j);
        } else if (c == '/' && i + 1 < n && text[i + 1] == '*') {
            std::size_t j = text.find("*/", i + 2);
            copyUntil(j == std::string_view::npos ? n : j + 2);
        } else if (c == ':' && i + 1 < n && nameStart(text[i + 1])) {
            std::size_t j = i + 2;
            while (j < n && namePart(text[j])) ++j;
            std::string_view name = text.substr(i + 1, j - i - 1);
            std::size_t slot = 0;
            while (slot < out.names.size() && !SameName(out.names[slot], name)) ++slot;
            if (slot == out.names.size()) out.names.emplace_back(name);
            out.positions.push_back(slot);
            out.sql += '?';
            i = j;
        } else {
            out.sql += c;
            ++i;
        }
    }
    // The server refuses a statement terminator; scripts and some fixed
    // statements carry one.
    while (!out.sql.empty() && (out.sql.back() == ';' || static_cast<unsigned char>(out.sql.back()) <= 32))
        out.sql.pop_back();
    return out;
}

}  // namespace conversor
