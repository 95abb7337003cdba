#pragma once
// The twenty registries of a run as its reports show them: what became of
// each (converted, stopped at a failing row, interrupted, not ticked, or not
// run because the run ended before it), and the exit status the run earns.
#include <vector>

#include "app/registries.h"
#include "app/run.h"
#include "db/run_summary.h"

namespace conversor {

enum class RegistryState { Converted, Stopped, Interrupted, NotTicked, NotRun };

struct RegistryAccount {
    const Registry* registry;
    RegistryState state;
    const RegistryResult* result;  // null unless the registry ran
};

// All twenty, in the run's order.
std::vector<RegistryAccount> AccountRegistries(const Ticked& ticked, const RunSummary& summary);

// "converted", "stopped", "interrupted", "not_ticked", "not_run".
const char* StateName(RegistryState state);

// 0 converted without an error or warning box; 1 converted, but such a box
// was shown (or an error ended the run); 2 nothing converted.
int ExitStatus(RunOutcome outcome, const RunSummary& summary);

}  // namespace conversor
