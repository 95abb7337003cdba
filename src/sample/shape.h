#pragma once
// How many rows of each registry a sample store of a given scale holds. The
// scale is the number of customers, products and receivable documents; the
// other registries grow with it more slowly, as they do in real stores.
namespace conversor::sample {

struct SampleShape {
    int scale = 0;
    int companies = 0;
    int cities = 0;               // of company 1; company 2 repeats a few
    int customers = 0;            // all companies
    int suppliers = 0;            // all companies, carriers among them
    int salespeople = 0;
    int groups = 0;
    int brands = 0;
    int products = 0;             // of company 1
    int otherProducts = 0;        // of company 2 (only their goods codes are converted)
    int taxRules = 0;             // per company
    int plans = 0;
    int banks = 0;
    int entryTypes = 0;
    int payables = 0;
    int receivables = 0;
    int quotes = 0;
    int sales = 0;
    // Customers with an activity text: each becomes a segment, and segment
    // codes have three digits.
    int maxActivities = 0;
};

// The smallest scale is 1; codes of six digits bound the largest.
inline constexpr int kMaxScale = 500000;

SampleShape ShapeFor(int scale);

}  // namespace conversor::sample
