#pragma once
// The copy loop's accounting of one registry: its counts, recorded in the
// session's summary however the loop ends, and the rows it hands to the
// session's ledger. When the run commits in batches, a batch's written rows
// are held until the batch ends: committed, they stand as counted; lost, they
// are not in the target, and become failed rows with the server's reason,
// handed to the ledger then (after the batch's rows left out, which it had at
// once).
#include <string>
#include <vector>

#include "db/batch_watcher.h"
#include "db/row_ledger.h"
#include "db/run_summary.h"

namespace conversor {

class Session;
class Statement;
struct CopyLoop;

class RegistryLedger : private BatchWatcher {
public:
    RegistryLedger(Session& s, const CopyLoop& loop);
    ~RegistryLedger() override;
    RegistryLedger(const RegistryLedger&) = delete;
    RegistryLedger& operator=(const RegistryLedger&) = delete;

    RegistryResult& result() { return result_; }

    // The row just read was written; cut names the target columns whose
    // values were cut to fit.
    void written(Statement& src, std::vector<std::string> cut);
    void record(Statement& src, RowOutcome outcome, std::string reason, std::vector<std::string> columns = {});
    // The row last written failed after all (a further row of it was
    // refused). Nothing to do when it has already failed with its batch.
    void writtenRowFailed(Statement& src, std::string reason, std::vector<std::string> columns);

    RegistryResult finish(long long selected);

private:
    // A written row of the batch in progress.
    struct Held {
        RowRecord record;  // as it fails should the batch be lost
        std::vector<std::string> cut;
    };

    void batchCommitted() override;
    void batchLost(const std::string& reason) override;

    RowRecord make(Statement& src, RowOutcome outcome, std::string reason, std::vector<std::string> columns) const;
    void handOn(const RowRecord& record);
    void uncount(const std::vector<std::string>& cut);

    Session& s_;
    const CopyLoop& loop_;
    RegistryResult result_;
    bool finished_ = false;
    const bool batched_;           // rows wait for their batch's end
    BatchWatcher* outerWatcher_;  // restored at the end
    std::vector<Held> held_;
    // The row last written still counts as written (not yet failed).
    bool lastWritten_ = false;
    std::vector<std::string> lastCut_;
};

}  // namespace conversor
