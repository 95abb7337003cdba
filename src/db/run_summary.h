#pragma once
#include <map>
#include <string>
#include <vector>

namespace conversor {

// What one registry did in a run, for the end-of-run report. Every source row
// of the registry's selection is accounted for: read + notTried is the
// selection's row count, and written + skipped + failed is read.
struct RegistryResult {
    std::string name;      // the registry's name, e.g. "cidades"
    long long read = 0;    // source rows processed, the failing one included
    long long written = 0; // rows the registry's main table received (and kept: a lost batch's are failed)
    long long skipped = 0; // rows the registry's own rule left out (a customer without a name, ...)
    // Rows the target refused, each undone alone, or lost with their batch;
    // also a product whose stock or tax detail row was refused, whose
    // product row stays unless the run goes on past failing rows.
    long long failed = 0;
    long long notTried = 0;  // rows after the row that stopped the registry
    bool stopped = false;  // ended at a failing row
    double seconds = 0;    // wall time of the registry, set by the run
    // Values a mapping cut to the target's width, per target column, in the
    // rows written.
    std::map<std::string, long long> cut;
};

struct RunSummary {
    std::vector<RegistryResult> registries;  // those that ran, in the run's order
    int errorBoxes = 0;    // error and warning boxes shown during the run
    // A request to stop ended the run at a row boundary, in the registry
    // named (empty when it stopped outside every registry).
    bool interrupted = false;
    std::string interruptedIn;
    // The target's backup made before anything was changed; empty for none.
    std::string backupFile;
};

}  // namespace conversor
