#pragma once
// What conversor-cli --check prints: the findings, every row the run would
// skip or fail, then the dry run's summary in the form of a run's, marked as
// a check.
#include <string>

#include "app/check.h"

namespace conversor::cli {

std::string FormatCheck(const CheckResult& result, const Ticked& ticked);

}  // namespace conversor::cli
