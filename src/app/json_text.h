#pragma once
// JSON string literals for the run report, which is UTF-8.
#include <string>
#include <string_view>

namespace conversor {

// A quoted JSON string of UTF-8 text: quotes, backslashes and control
// characters escaped.
std::string JsonString(std::string_view utf8);

// A Windows-1252 text (database and program texts) as a JSON string.
std::string JsonFromWindows1252(std::string_view text);

// A file name as a JSON string: kept when it already is UTF-8, otherwise
// read as Windows-1252.
std::string JsonFromPath(std::string_view path);

}  // namespace conversor
