#pragma once
// What the window shows of a run's progress and outcome; no Qt here.
#include <string>
#include <vector>

#include "app/check.h"
#include "db/run_summary.h"

namespace conversor {

// Completed share shown by the gauge: a whole percentage, truncated, and 0
// when the maximum is 0.
int GaugePercent(long long progress, long long maximum);

// Detail of the end-of-run box, UTF-8: one line per converted registry with
// the rows read and written, those left out by the registry's rule, failed
// and not tried, the values cut to fit, and whether it stopped at a failing
// row; the counts that are 0 are not shown.
std::string SummaryDetail(const RunSummary& summary);

// The end dialog of a check, UTF-8: what the verdict means, and as detail
// the findings, the boxes the dry run met (given as "Caption: text"), the
// rows it skipped or failed (the first 200) and its lines per registry.
std::string CheckVerdictText(CheckVerdict verdict);
std::string CheckDetail(const CheckResult& result, const std::vector<std::string>& boxes);

}  // namespace conversor
