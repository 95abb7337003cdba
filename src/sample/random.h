#pragma once
// The sample's only source of chance. The engine is std::mt19937_64, whose
// output the standard fixes; the distributions are written out here because
// the standard library's own differ between implementations, and the same
// seed must give the same store everywhere.
#include <cstdint>
#include <random>
#include <span>
#include <string>
#include <vector>

namespace conversor::sample {

class SampleRandom {
public:
    explicit SampleRandom(std::uint64_t seed) : engine_(seed) {}

    // 0 .. n-1 (n > 0).
    std::uint64_t below(std::uint64_t n);
    // lo .. hi, both included.
    long long between(long long lo, long long hi);
    // True about percent times in a hundred.
    bool chance(int percent) { return static_cast<int>(below(100)) < percent; }
    // A digit run of the given length, leading zeros allowed.
    std::string digits(int count);
    // An amount in cents between the two, as money.
    double money(long long minCents, long long maxCents) { return static_cast<double>(between(minCents, maxCents)) / 100.0; }

    template <typename T>
    const T& pick(std::span<const T> items) {
        return items[below(items.size())];
    }
    template <typename T>
    const T& pick(const std::vector<T>& items) {
        return items[below(items.size())];
    }

private:
    std::mt19937_64 engine_;
};

}  // namespace conversor::sample
