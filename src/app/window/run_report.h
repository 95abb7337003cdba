#pragma once
// What the window shows of a run's progress and outcome; no Qt here.
#include <string>

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

}  // namespace conversor
