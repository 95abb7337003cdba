#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
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

// Parameters and columns by name, without regard to case: converters look up
// dozens of names for every row.
class NameIndex {
public:
    void clear() { map_.clear(); }
    void add(std::string_view name, unsigned index) { map_.try_emplace(std::string(name), index); }
    std::optional<unsigned> find(std::string_view name) const {
        auto it = map_.find(name);
        if (it == map_.end()) return std::nullopt;
        return it->second;
    }

private:
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const;
    };
    struct Equal {
        using is_transparent = void;
        bool operator()(std::string_view a, std::string_view b) const { return SameName(a, b); }
    };
    std::unordered_map<std::string, unsigned, Hash, Equal> map_;
};

}  // namespace conversor
