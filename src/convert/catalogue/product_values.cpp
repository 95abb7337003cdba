#include "convert/catalogue/product_values.h"

#include <cctype>

#include "db/firebird/error.h"
#include "db/firebird/statement.h"
#include "text/text_ops.h"

namespace conversor {

namespace {
// Reads a short decimal text as the source system wrote it: blanks around it,
// an optional sign, digits and at most one decimal separator ("," or ".").
bool ReadDecimal(const std::string& text, double& value) {
    const std::string t = Trim(text);
    std::size_t i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';
    double whole = 0, scale = 1;
    bool digits = false, separator = false;
    for (; i < t.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(t[i]);
        if (std::isdigit(c)) {
            digits = true;
            if (separator) {
                scale /= 10;
                whole += (c - '0') * scale;
            } else {
                whole = whole * 10 + (c - '0');
            }
        } else if ((c == ',' || c == '.') && !separator) {
            separator = true;
        } else {
            return false;
        }
    }
    if (!digits) return false;
    value = negative ? -whole : whole;
    return true;
}
}  // namespace

double NumeroOuZero(const Field& field) { return IsBlank(field.asText()) ? 0.0 : field.asDouble(); }

double AliquotaIcms(const std::string& rate) {
    if (rate.empty() || rate[0] == 'F' || rate[0] == 'D' || rate[0] == 'I') return 0;
    const std::string pair = First(rate, 2);
    double value = 0;
    if (!ReadDecimal(pair, value)) throw DbError("'" + pair + "' is not a valid floating point value");
    return value;
}

double BaseIcms(const Field& reduction) { return IsBlank(reduction.asText()) ? 100.0 : 100.0 - reduction.asDouble(); }

}  // namespace conversor
