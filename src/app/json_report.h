#pragma once
// The run report, a JSON document (UTF-8): the run's settings and outcome,
// a check's findings, every box shown, and all twenty registries with their accounting and each
// row they left out or failed. The rows and boxes are spooled to temporary
// files as the run makes them, so a report of any size is written without
// holding them; it can be written any number of times once the run is over.
#include <cstdio>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "app/check.h"
#include "app/run.h"
#include "db/row_ledger.h"
#include "db/run_summary.h"

namespace conversor {

// What the report says about the run besides what the ledger recorded.
struct ReportedRun {
    std::string source;  // the paths as given
    std::string target;
    std::time_t started = 0;
    double seconds = 0;
    int exit = 0;
    int commitEvery = 1;
    bool keepGoing = false;
    Ticked ticked{};
    // A check's result, for the report of a check: "check" is true and its
    // findings come in four lists; the ledger holds the dry run's rows.
    const CheckResult* check = nullptr;
};

class JsonReport : public LedgerSink {
public:
    JsonReport();  // throws std::runtime_error when no temporary file can be made

    void row(const std::string& registry, const RowRecord& record) override;
    void message(BoxKind kind, const std::string& caption, const std::string& text) override;
    void question(const std::string& caption, const std::string& text, bool answer) override;

    // Throws std::runtime_error naming the file and the system's reason.
    void write(const std::string& path, const ReportedRun& run, const RunSummary& summary) const;
    void write(std::FILE* out, const ReportedRun& run, const RunSummary& summary) const;

private:
    struct Spool {
        std::unique_ptr<std::FILE, int (*)(std::FILE*)> file;
        long size = 0;
        // Appending needs no seek until the spool is read: a seek empties the
        // stream's buffer, and the run appends a row at a time.
        mutable bool atEnd = true;
        Spool();
        void append(const std::string& text);
        void copyRange(long from, long to, std::FILE* out) const;
    };
    // Rows of one registry run: a range of the row spool.
    struct Segment {
        std::string registry;
        long from = 0, to = 0;
    };
    void spoolMessage(const std::string& json);

    Spool rows_;
    Spool messages_;
    std::vector<Segment> segments_;
};

// "2024-05-01T14:03:07-03:00", in local time.
std::string Iso8601(std::time_t when);

}  // namespace conversor
