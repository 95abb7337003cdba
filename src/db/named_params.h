#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace conversor {

// A statement text with its named parameters (":NAME") turned into the
// positional markers the server understands.
struct ParsedStatement {
    std::string sql;                  // positional text, trailing ';' dropped
    std::vector<std::string> names;   // distinct names, as first written
    std::vector<std::size_t> positions;   // for each marker, its index into names
};

// A colon directly followed by a letter or '_' starts a name made of letters,
// digits, '_' and '$'. Colons inside quoted literals ('...'), quoted names or
// dialect-1 literals ("...") and comments are left alone. Names compare
// without regard to case, so a name used twice binds one value.
ParsedStatement ParseNamedParameters(std::string_view text);

bool SameName(std::string_view a, std::string_view b);

}  // namespace conversor
