#pragma once
// One conversion of all twenty registries, as the run makes it, with the
// wall time of every registry.
#include <functional>
#include <string>
#include <vector>

#include "floors.h"

namespace conversor::bench {

struct RegistryTime {
    std::string name;
    long long rows = 0;   // source rows the registry read
    double seconds = 0;
};

struct TimedRun {
    std::vector<RegistryTime> registries;
    double seconds = 0;       // the whole run, set-up and triggers included
    long long rows = 0;       // source rows, all registries together
    long long written = 0;    // rows the target received (inserted or updated), by the engine's count
    RowShape rowShape;        // their average width: the columns of the tables they went to
    int boxes = 0;            // error and warning boxes (a sound sample shows none)
    long long transactions = 0;  // transactions the target saw (each commit is one)
};

// With check set, the check of the same store instead (its dry run rolled
// back): the figures are the dry run's.
TimedRun RunTimed(const std::string& source, const std::string& target, int commitInterval, bool check = false);

// Runs work in a child process of its own and returns the text it sends back.
std::string TextFromChild(const std::function<std::string()>& work);

// The same, in a child process of its own, as each conversion is a run of
// the program of its own: what one conversion leaves in the process (the
// engine's and the allocator's state) does not weigh on the next.
TimedRun RunTimedInChild(const std::string& source, const std::string& target, int commitInterval,
                         bool check = false);

}  // namespace conversor::bench
