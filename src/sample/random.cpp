#include "sample/random.h"

namespace conversor::sample {

std::uint64_t SampleRandom::below(std::uint64_t n) {
    // Rejection keeps every value equally likely.
    const std::uint64_t limit = UINT64_MAX - UINT64_MAX % n;
    std::uint64_t x;
    do x = engine_();
    while (x >= limit);
    return x % n;
}

long long SampleRandom::between(long long lo, long long hi) {
    return lo + static_cast<long long>(below(static_cast<std::uint64_t>(hi - lo) + 1));
}

std::string SampleRandom::digits(int count) {
    std::string out;
    for (int i = 0; i < count; ++i) out += static_cast<char>('0' + below(10));
    return out;
}

}  // namespace conversor::sample
