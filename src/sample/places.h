#pragma once
// Brazilian municipalities the sample's addresses use, with their IBGE
// municipality codes (what the target's MUNICIPIOS holds), their area code
// and the first digits of their postal codes. Texts are UTF-8 here; the
// writers convert them to Windows-1252.
#include <span>

namespace conversor::sample {

struct Place {
    const char* city;     // upper case, as the stores type it
    const char* state;    // UF
    const char* ibge;     // 7-digit municipality code
    const char* areaCode; // DDD
    const char* cep;      // first three digits of its postal codes
};

// Ordered so that any prefix spreads over several states, the biggest
// markets first.
std::span<const Place> Places();

}  // namespace conversor::sample
