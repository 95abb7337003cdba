#pragma once
// A sample retail store: a filled Talvo database and an empty Ordelio
// database holding only the reference rows the target system ships with.
#include <cstdint>
#include <string>

#include "sample/shape.h"

namespace conversor {
class Session;
}

namespace conversor::sample {

struct SampleOptions {
    std::string dir;        // receives talvo.fdb and ordelio.fb (replaced when present)
    std::string schemaDir;  // holds talvo.sql and ordelio.sql
    int scale = 500;
    std::uint64_t seed = 1;
    // Real stores run with forced writes; tests may do without.
    bool forcedWrites = true;
};

struct SampleStore {
    std::string sourcePath;
    std::string targetPath;
    SampleShape shape;
    long long sourceRows = 0;
};

// Operation codes the target's reference rows offer (CDOPERC).
inline constexpr const char* kPayablesOperation = "101";     // type 5
inline constexpr const char* kReceivablesOperation = "201";  // type 8

// Throws DbError (database) or std::runtime_error (files).
SampleStore GenerateSampleStore(const SampleOptions& options);

// Points a session at a sample store's two databases, with the operations
// the store offers chosen for payables and receivables.
void ChooseSampleStore(Session& session, const std::string& source, const std::string& target, int commitInterval);

}  // namespace conversor::sample
