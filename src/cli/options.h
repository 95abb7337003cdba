#pragma once
// The command line of conversor-cli.
#include <optional>
#include <string>
#include <vector>

#include "app/run.h"

namespace conversor::cli {

struct Options {
    std::string source;
    std::string target;
    Ticked ticked{};
    std::optional<std::string> payablesOp;
    std::optional<std::string> receivablesOp;
    bool yes = false;
    bool check = false;
    int commitEvery = 1;
    bool keepGoing = false;
    std::optional<std::string> report;  // the JSON run report's file
    std::string backup;  // the target's backup file; empty for none
    bool help = false;
    bool version = false;
};

// Throws std::invalid_argument with a message for the operator on bad usage.
Options ParseOptions(const std::vector<std::string>& args);

extern const char* const kUsage;

}  // namespace conversor::cli
