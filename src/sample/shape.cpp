#include "sample/shape.h"

#include <algorithm>

#include "sample/places.h"
#include "sample/vocabulary.h"

namespace conversor::sample {

SampleShape ShapeFor(int scale) {
    const int n = std::clamp(scale, 1, kMaxScale);
    const Vocabulary words;
    SampleShape s;
    s.scale = n;
    s.companies = std::min(2 + n / 10000, 20);
    s.cities = std::min<int>(12 + n / 100, static_cast<int>(Places().size()));
    s.customers = n;
    s.suppliers = 15 + n / 50;
    s.salespeople = 4 + n / 400;
    s.groups = std::min<int>(5 + n / 500, static_cast<int>(words.groups.size()));
    s.brands = std::min<int>(8 + n / 250, static_cast<int>(words.brands.size()));
    s.products = n;
    s.otherProducts = n / 10;
    s.taxRules = 8;
    s.plans = std::min<int>(6 + n / 2000, static_cast<int>(words.plans.size()));
    s.banks = std::min<int>(3 + n / 2500, static_cast<int>(words.banks.size()));
    s.entryTypes = std::min<int>(8 + n / 1000, static_cast<int>(words.entryTypes.size()));
    s.payables = std::max(1, n / 2);
    s.receivables = n;
    s.quotes = std::max(1, n / 4);
    s.sales = std::max(1, n / 2);
    s.maxActivities = 999;
    return s;
}

}  // namespace conversor::sample
