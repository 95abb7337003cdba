// libFuzzer target: the text operations keep their promises for any bytes.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "text/text_ops.h"

using namespace conversor;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const int width = static_cast<int8_t>(data[0]);  // -128..127
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);

    const std::string z = StrZero(text, width);
    if (width >= 1 && z.size() != static_cast<size_t>(width)) std::abort();
    if (width < 1 && z != Trim(text)) std::abort();

    const std::string a = AlinhaDireita(text, width);
    if (width >= 1 && a.size() != static_cast<size_t>(width)) std::abort();

    const std::string digits = SoNumeros(text);
    for (char c : digits)
        if (c < '0' || c > '9') std::abort();

    const std::string clean = TiraPontuacao(text);
    for (char c : clean)
        if (c == '(' || c == ')' || c == '-' || c == '.' || c == '/' || c == '\'') std::abort();
    if (clean.size() > text.size()) std::abort();
    return 0;
}
