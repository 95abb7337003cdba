#pragma once
// Told what becomes of the rows a batch of the target holds when the run
// commits in batches: committed with it, or lost with it, its commit having
// failed or a row's undo having broken its transaction.
#include <string>

namespace conversor {

class BatchWatcher {
public:
    virtual ~BatchWatcher() = default;
    virtual void batchCommitted() = 0;
    // reason: the server's message of the failure that lost the batch.
    virtual void batchLost(const std::string& reason) = 0;
};

}  // namespace conversor
