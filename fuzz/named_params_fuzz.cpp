// libFuzzer target: the named-parameter scanner never loses or invents a
// marker and never runs past its input.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "db/firebird/named_params.h"

using namespace conversor;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const ParsedStatement p = ParseNamedParameters(text);
    for (size_t slot : p.positions)
        if (slot >= p.names.size()) std::abort();
    for (size_t i = 0; i < p.names.size(); ++i) {
        if (p.names[i].empty()) std::abort();
        for (size_t j = i + 1; j < p.names.size(); ++j)
            if (SameName(p.names[i], p.names[j])) std::abort();
    }
    // Every name is used by at least one marker.
    for (size_t i = 0; i < p.names.size(); ++i) {
        bool used = false;
        for (size_t slot : p.positions) used = used || slot == i;
        if (!used) std::abort();
    }
    // Parsing the result again finds no further names: markers were replaced,
    // and nothing outside them changed meaning.
    if (!ParseNamedParameters(p.sql).names.empty()) std::abort();
    return 0;
}
