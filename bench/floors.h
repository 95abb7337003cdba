#pragma once
// What the engine itself allows on this machine: a minimal loop inserting
// rows about as wide as the converters' into a scratch table of a
// forced-writes database, through one prepared statement, straight on the
// Firebird API.
#include <string>

namespace conversor::bench {

struct Floor {
    long long rows = 0;
    double seconds = 0;
    double rowsPerSecond() const { return seconds > 0 ? static_cast<double>(rows) / seconds : 0; }
};

// Creates (replacing) a dialect-1 database at path with forced writes and
// inserts rows into it, committing every rowsPerCommit rows.
Floor MeasureFloor(const std::string& path, long long rows, int rowsPerCommit);

}  // namespace conversor::bench
