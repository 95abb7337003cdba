#include "sample/documents.h"

#include "text/text_ops.h"

namespace conversor::sample {

namespace {
char mod11Digit(int sum) {
    const int r = sum % 11;
    return static_cast<char>('0' + (r < 2 ? 0 : 11 - r));
}

char cpfDigit(std::string_view digits) {
    int sum = 0;
    const int first = static_cast<int>(digits.size()) + 1;
    for (std::size_t i = 0; i < digits.size(); ++i) sum += (digits[i] - '0') * (first - static_cast<int>(i));
    return mod11Digit(sum);
}

// CNPJ weights run 2..9 from the right, over and over.
char cnpjDigit(std::string_view digits) {
    int sum = 0, weight = 2;
    for (std::size_t i = digits.size(); i-- > 0;) {
        sum += (digits[i] - '0') * weight;
        weight = weight == 9 ? 2 : weight + 1;
    }
    return mod11Digit(sum);
}

bool allSame(std::string_view d) { return d.find_first_not_of(d.front()) == std::string_view::npos; }
}  // namespace

std::string CpfCheckDigits(std::string_view nine) {
    std::string d(nine);
    d += cpfDigit(d);
    d += cpfDigit(d);
    return d.substr(9);
}

std::string CnpjCheckDigits(std::string_view twelve) {
    std::string d(twelve);
    d += cnpjDigit(d);
    d += cnpjDigit(d);
    return d.substr(12);
}

bool IsValidCpf(std::string_view text) {
    const std::string d = SoNumeros(text);
    return d.size() == 11 && !allSame(d) && CpfCheckDigits(std::string_view(d).substr(0, 9)) == d.substr(9);
}

bool IsValidCnpj(std::string_view text) {
    const std::string d = SoNumeros(text);
    return d.size() == 14 && !allSame(d) && CnpjCheckDigits(std::string_view(d).substr(0, 12)) == d.substr(12);
}

std::string MakeCpf(SampleRandom& rng, bool punctuated) {
    std::string base;
    do base = rng.digits(9);
    while (allSame(base));
    const std::string d = base + CpfCheckDigits(base);
    if (!punctuated) return d;
    return d.substr(0, 3) + "." + d.substr(3, 3) + "." + d.substr(6, 3) + "-" + d.substr(9);
}

std::string MakeCnpj(SampleRandom& rng, int branch, bool punctuated) {
    std::string root;
    do root = rng.digits(8);
    while (allSame(root));
    return CnpjOf(root, branch, punctuated);
}

std::string CnpjOf(const std::string& root, int branch, bool punctuated) {
    std::string order = std::to_string(branch % 10000);
    order.insert(0, 4 - order.size(), '0');
    const std::string base = root + order;
    const std::string d = base + CnpjCheckDigits(base);
    if (!punctuated) return d;
    return d.substr(0, 2) + "." + d.substr(2, 3) + "." + d.substr(5, 3) + "/" + d.substr(8, 4) + "-" + d.substr(12);
}

}  // namespace conversor::sample
