#pragma once
// The run report of a store where about 100,000 rows are left out by the
// registries' rules: every customer without a name or a line of business, and
// every payable and receivable document whose status is not exactly open. The whole run at one
// commit per 1000 rows, with and without the report, each a process of its
// own, so that its wall time and peak memory are its own.
#include <string>

namespace conversor::bench {

// The store's rows left out, on a store generated at this scale.
void PlantSkips(const std::string& source);

struct ReportRun {
    double seconds = 0;       // the run, and writing the report
    long long ledgerRows = 0;  // rows skipped or failed, all registries together
    long long reportBytes = 0;  // 0 without a report
    int boxes = 0;
};

// One run of the store (source converted into target), writing its report
// to reportPath unless it is empty.
ReportRun RunWithReport(const std::string& source, const std::string& target, const std::string& reportPath);

}  // namespace conversor::bench
