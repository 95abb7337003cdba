#pragma once
// Brazilian tax numbers with valid check digits, written the ways people type
// them: CPF (persons, 11 digits) and CNPJ (companies, 14 digits).
#include <string>
#include <string_view>

#include "sample/random.h"

namespace conversor::sample {

// The two check digits of a CPF's first nine digits, or of a CNPJ's first
// twelve, by the modulo-11 rule of each.
std::string CpfCheckDigits(std::string_view nineDigits);
std::string CnpjCheckDigits(std::string_view twelveDigits);

// True when the text's digits form a CPF / CNPJ with correct check digits.
bool IsValidCpf(std::string_view text);
bool IsValidCnpj(std::string_view text);

// "123.456.789-09", or the bare digits when punctuated is false.
std::string MakeCpf(SampleRandom& rng, bool punctuated);
// "12.345.678/0001-95" for the given branch number (1 for the head office).
std::string MakeCnpj(SampleRandom& rng, int branch, bool punctuated);
// The CNPJ of one branch of the company whose 8-digit root is given.
std::string CnpjOf(const std::string& root, int branch, bool punctuated);

}  // namespace conversor::sample
