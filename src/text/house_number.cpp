#include "text/house_number.h"

#include <vector>

namespace conversor {

namespace {

enum class CommaMark { None, BeforeAnyRun, AfterARun };

// Whether a run of digits reads as a whole number that fits a signed 32-bit
// integer; leading zeros do not count against it.
bool FitsInteger(const std::string& digits) {
    if (digits.empty()) return false;
    std::size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos) return true;
    std::string_view significant(digits.data() + first, digits.size() - first);
    if (significant.size() != 10) return significant.size() < 10;
    return significant <= "2147483647";
}

}  // namespace

std::string ExtraiNumeroEndereco(std::string_view address) {
    std::string current;
    std::vector<std::string> runs;
    CommaMark mark = CommaMark::None;
    bool digitsAtComma = false;

    for (char c : address) {
        if (c >= '0' && c <= '9') {
            current += c;
        } else if (c == ',') {
            // A comma does not end the run: "10,20" stays one run.
            if (!runs.empty()) {
                mark = CommaMark::AfterARun;
            } else {
                mark = CommaMark::BeforeAnyRun;
                if (!current.empty()) digitsAtComma = true;
            }
        } else if (!current.empty()) {
            runs.push_back(current);
            current.clear();
        }
    }

    std::string candidate = current;
    const std::size_t n = runs.size();
    if (n == 1) {
        if (current != runs[0] && !digitsAtComma && mark != CommaMark::None) candidate = runs[0];
    } else if (n == 2) {
        if (mark == CommaMark::BeforeAnyRun) candidate = runs[0];
        else if (mark == CommaMark::AfterARun) candidate = runs[1];
    } else if (n >= 3 && n <= 10) {
        candidate = runs[1];
    }
    return FitsInteger(candidate) ? candidate : std::string();
}

}  // namespace conversor
