// libFuzzer target: the house-number scanner returns digits that fit a
// 32-bit integer, or nothing, for any address.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "text/house_number.h"

using namespace conversor;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string address(reinterpret_cast<const char*>(data), size);
    const std::string number = ExtraiNumeroEndereco(address);
    for (char c : number)
        if (c < '0' || c > '9') std::abort();
    if (!number.empty() && std::strtoull(number.c_str(), nullptr, 10) > 2147483647ULL) std::abort();
    if (number.size() > address.size()) std::abort();
    return 0;
}
