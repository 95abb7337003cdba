#include "support/recording_operator.h"

namespace conversor::testing {

std::vector<std::string> RecordingOperator::boxTexts() const {
    std::vector<std::string> out;
    for (const Box& b : boxes) {
        std::string t = b.text;
        for (char& c : t)
            if (c == '\r') c = '|';
        out.push_back(t);
    }
    return out;
}

}  // namespace conversor::testing
