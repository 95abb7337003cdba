#pragma once
// What conversor-cli --check prints: the findings, then the dry run's
// summary in the form of a run's, marked as a check.
#include <string>

#include "app/check.h"

namespace conversor::cli {

std::string FormatCheck(const CheckResult& result, const Ticked& ticked);

// 0 clean, 1 boxes or rows left out, 2 schema problems or no check.
int CheckExitStatus(const CheckResult& result);

}  // namespace conversor::cli
