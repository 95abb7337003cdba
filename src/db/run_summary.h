#pragma once
#include <string>
#include <vector>

namespace conversor {

// What one registry did in a run, for the end-of-run report.
struct RegistryResult {
    std::string name;      // the registry's name, e.g. "cidades"
    long long read = 0;    // source rows processed, the failing one included
    long long written = 0; // rows the registry's main table received
    bool stopped = false;  // ended at a failing row
    double seconds = 0;    // wall time of the registry, set by the run
};

struct RunSummary {
    std::vector<RegistryResult> registries;
    int errorBoxes = 0;    // error and warning boxes shown during the run
    // A request to stop ended the run at a row boundary, in the registry
    // named (empty when it stopped outside every registry).
    bool interrupted = false;
    std::string interruptedIn;
    // The target's backup made before anything was changed; empty for none.
    std::string backupFile;
};

}  // namespace conversor
