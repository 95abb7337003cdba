#pragma once
// A strict JSON reader for checking the run report: any syntax error throws,
// so a report that parses here is well-formed.
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace conversor::testing {

struct Json {
    enum class Type { Null, Bool, Number, String, Array, Object } type = Type::Null;
    bool boolean = false;
    double number = 0;
    std::string string;  // UTF-8
    std::vector<Json> array;
    std::vector<std::pair<std::string, Json>> object;  // in the document's order

    bool has(const std::string& key) const;
    const Json& operator[](const std::string& key) const;  // throws when missing
    const Json& operator[](std::size_t i) const { return array.at(i); }
    long long integer() const { return static_cast<long long>(number); }
};

Json ParseJson(std::string_view text);
Json ReadJsonFile(const std::string& path);

}  // namespace conversor::testing
