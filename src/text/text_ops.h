#pragma once
// The small text operations every converter uses to turn source values into
// the target's fixed-width codes and punctuation-free documents. Texts are
// single-byte (Windows-1252) and positions count bytes.
#include <string>
#include <string_view>

namespace conversor {

// Removes every byte <= 32 at both ends, nothing inside.
std::string Trim(std::string_view text);
bool IsBlank(std::string_view text);

// First n bytes of text (the whole text when shorter).
std::string First(std::string_view text, std::size_t n);

// Upper-cases the ASCII letters a..z only; accented letters stay as they are.
std::string UpperAscii(std::string_view text);

std::string Espacos(int count);
std::string AlinhaDireita(std::string_view text, int width);
std::string StrZero(std::string_view text, int width);
std::string StrZero(long long number, int width);
std::string SoNumeros(std::string_view text);
std::string TiraPontuacao(std::string_view text);

// By value: a reference to one of two temporaries would outlive them.
template <typename T>
T Iif(bool flag, const T& whenTrue, const T& whenFalse) {
    return flag ? whenTrue : whenFalse;
}
inline std::string Iif(bool flag, std::string_view whenTrue, std::string_view whenFalse) {
    return std::string(flag ? whenTrue : whenFalse);
}

}  // namespace conversor
