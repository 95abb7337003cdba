#include "text/text_ops.h"

namespace conversor {

namespace {
bool isTrimmable(char c) { return static_cast<unsigned char>(c) <= 32; }
}  // namespace

std::string Trim(std::string_view text) {
    std::size_t begin = 0, end = text.size();
    while (begin < end && isTrimmable(text[begin])) ++begin;
    while (end > begin && isTrimmable(text[end - 1])) --end;
    return std::string(text.substr(begin, end - begin));
}

bool IsBlank(std::string_view text) {
    for (char c : text)
        if (!isTrimmable(c)) return false;
    return true;
}

std::string First(std::string_view text, std::size_t n) { return std::string(text.substr(0, n)); }

std::string UpperAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

std::string Espacos(int count) { return count > 0 ? std::string(static_cast<std::size_t>(count), ' ') : std::string(); }

std::string AlinhaDireita(std::string_view text, int width) {
    if (width > 0 && text.size() > static_cast<std::size_t>(width)) text = text.substr(text.size() - width);
    return Espacos(width - static_cast<int>(text.size())) + std::string(text);
}

std::string StrZero(std::string_view text, int width) {
    std::string out = Trim(text);
    if (width > 0 && static_cast<std::size_t>(width) < out.size()) out = AlinhaDireita(out, width);
    if (width > 0 && out.size() < static_cast<std::size_t>(width)) out.insert(0, width - out.size(), '0');
    return out;
}

std::string StrZero(long long number, int width) { return StrZero(std::to_string(number), width); }

std::string SoNumeros(std::string_view text) {
    std::string out;
    for (char c : text)
        if (c >= '0' && c <= '9') out += c;
    return out;
}

std::string TiraPontuacao(std::string_view text) {
    // Each removal keeps at most 100 bytes of what follows and trims the whole
    // text again: this is how the target system has always cleaned these
    // registrations, so the same input must give the same output here.
    std::string out(text);
    for (char mark : {'(', ')', '-', '.', '/', '\''}) {
        for (auto p = out.find(mark); p != std::string::npos; p = out.find(mark))
            out = Trim(out.substr(0, p) + out.substr(p + 1, 100));
    }
    return out;
}

}  // namespace conversor
