#pragma once
// The source keeps the house number inside the free address text; the
// target wants it on its own. This scanner picks one run of digits out of an
// address by fixed rules that favour the number after the street's comma.
#include <string>
#include <string_view>

namespace conversor {

// The house number found in the address (digits, leading zeros kept), or an
// empty text when none is found or it is larger than 2147483647.
std::string ExtraiNumeroEndereco(std::string_view address);

}  // namespace conversor
