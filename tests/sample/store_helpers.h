#pragma once
// Sample stores for tests: generated in a temporary folder without forced
// writes (tests need speed, not durability), read back table by table, and
// converted in-process the way conversor-cli converts them.
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/check.h"
#include "app/run.h"
#include "db/row_ledger.h"
#include "db/run_summary.h"
#include "db/firebird/connection.h"
#include "sample/sample_store.h"
#include "support/fixture.h"
#include "support/recording_operator.h"

namespace conversor::testing {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

// The boxes a run showed, one "caption: text" line each, for a failure's message.
std::string Describe(const std::vector<RecordingOperator::Box>& boxes);

sample::SampleStore MakeStore(const std::filesystem::path& dir, int scale, std::uint64_t seed);

// Every user table of a database, each as its rows sorted (columns as text,
// a null shown as <null>), plus the values of the user generators under the
// name "generator NAME" and the states of the user triggers under "triggers".
using DatabaseContents = std::map<std::string, std::vector<std::vector<std::string>>>;
DatabaseContents ReadContents(const std::string& path, int dialect);
// Where two contents first differ (a table and its first differing sorted
// row), or an empty text when they are the same.
std::string FirstDifference(const DatabaseContents& a, const DatabaseContents& b);

// Three registries meet a row the target refuses, each in its middle: a
// repeated city number, an ICMS rate that is no number, a payable document
// code longer than its column.
void PlantFailingRows(const std::string& source);


struct ConversionResult {
    RunOutcome outcome;
    RunSummary summary;
    std::vector<RecordingOperator::Box> boxes;
};

// All twenty registries, answering yes, with the sample's operations chosen;
// the rows and boxes go to ledger when given.
ConversionResult ConvertAll(const std::string& source, const std::string& target, int commitInterval,
                            LedgerSink* ledger = nullptr, bool keepGoing = false);

struct CheckedStore {
    CheckResult result;
    std::vector<RecordingOperator::Box> boxes;
    int questions = 0;
};

// The check of all twenty registries, with the sample's operations chosen;
// its rows and boxes go to ledger when given. A check follows no commit
// interval: the one given is the run's choice, set on the session.
CheckedStore CheckAll(const std::string& source, const std::string& target, LedgerSink* ledger = nullptr,
                      int commitInterval = 1);

// Rows of a ledger (anything with registry and record), one line each with
// every field, for comparing two ledgers.
template <class Rows>
std::vector<std::string> RowLines(const Rows& rows) {
    std::vector<std::string> out;
    for (const auto& row : rows) {
        std::string line = row.registry + " #" + std::to_string(row.record.position);
        for (const auto& [column, value] : row.record.key) line += " " + column + "=" + value;
        line += row.record.outcome == RowOutcome::Skipped ? " skipped: " : " failed: ";
        line += row.record.reason;
        for (const std::string& column : row.record.columns) line += " [" + column + "]";
        out.push_back(line);
    }
    return out;
}

}  // namespace conversor::testing
