#pragma once
// What the engine itself allows on this machine: a minimal loop inserting
// rows as wide as the run's into a scratch table of a forced-writes database,
// through one prepared statement, straight on the Firebird API.
#include <string>

namespace conversor::bench {

// A row's columns by kind; the first number column is the key.
struct RowShape {
    int texts = 4;
    int numbers = 2;
    int dates = 1;
};

struct Floor {
    long long rows = 0;
    double seconds = 0;
    double rowsPerSecond() const { return seconds > 0 ? static_cast<double>(rows) / seconds : 0; }
};

// Creates (replacing) a dialect-1 database at path with forced writes and
// inserts rows into it, committing every rowsPerCommit rows.
Floor MeasureFloor(const std::string& path, long long rows, int rowsPerCommit, const RowShape& shape);

}  // namespace conversor::bench
