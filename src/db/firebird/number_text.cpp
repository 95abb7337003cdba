#include "db/firebird/number_text.h"

#include <charconv>
#include <string_view>

#include "db/firebird/error.h"
#include "text/text_ops.h"

namespace conversor {


std::string ScaledToText(long long value, int scale) {
    if (scale >= 0) {
        std::string out = std::to_string(value);
        if (value != 0) out.append(static_cast<std::size_t>(scale), '0');
        return out;
    }
    const bool negative = value < 0;
    unsigned long long magnitude = negative ? 0ULL - static_cast<unsigned long long>(value) : value;
    std::string digits = std::to_string(magnitude);
    const std::size_t places = static_cast<std::size_t>(-scale);
    if (digits.size() <= places) digits.insert(0, places - digits.size() + 1, '0');
    std::string out = digits.substr(0, digits.size() - places);
    std::string fraction = digits.substr(digits.size() - places);
    while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
    if (!fraction.empty()) out += "." + fraction;
    return negative && out != "0" ? "-" + out : out;
}

template <typename F>
static std::string floatText(F value) {
    // Shortest text that reads back as the same number, in plain notation.
    char buf[400];
    auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
    std::string out(buf, res.ptr);
    return out == "-0" ? "0" : out;
}

std::string FloatToText(double value) { return floatText(value); }
std::string FloatToText(float value) { return floatText(value); }

long long TextToInt(const std::string& text) {
    std::string t = Trim(text);
    long long value = 0;
    const char* first = t.data() + (!t.empty() && t[0] == '+' ? 1 : 0);
    auto res = std::from_chars(first, t.data() + t.size(), value);
    if (t.empty() || res.ec != std::errc() || res.ptr != t.data() + t.size())
        throw DbError("'" + text + "' is not a valid integer value");
    return value;
}

double TextToDouble(const std::string& text) {
    std::string t = Trim(text);
    double value = 0;
    const char* first = t.data() + (!t.empty() && t[0] == '+' ? 1 : 0);
    auto res = std::from_chars(first, t.data() + t.size(), value);
    if (t.empty() || res.ec != std::errc() || res.ptr != t.data() + t.size())
        throw DbError("'" + text + "' is not a valid floating point value");
    return value;
}

// The double nearest the exact decimal value of a scaled integer, as the
// engine's own cast gives it. Multiplying by a negative power of ten is not:
// 0.01 is itself inexact, so 9960 * 0.01 is 99.60000000000001. Dividing two
// exact doubles rounds once, correctly; past 2^53 the decimal text is read.
double ScaledToDouble(long long value, int scale) {
    static constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                              1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                              1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    constexpr long long kExactLimit = 1LL << 53;
    if (scale == 0) return static_cast<double>(value);
    if (scale < 0 && -scale <= 22 && value <= kExactLimit && value >= -kExactLimit)
        return static_cast<double>(value) / kPowersOfTen[-scale];
    return TextToDouble(ScaledToText(value, scale));
}

}  // namespace conversor
