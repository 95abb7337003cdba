#include "db/registry_ledger.h"

#include <algorithm>

#include "db/copy_loop.h"
#include "db/session.h"

namespace conversor {

RegistryLedger::RegistryLedger(Session& s, const CopyLoop& loop)
    : s_(s),
      loop_(loop),
      // Without batches every row's commit is its own, and a rehearsal
      // commits nothing at all.
      batched_(s.commitInterval() > 1 && !s.rehearsing()),
      outerWatcher_(s.batchWatcher) {
    result_.name = loop.registry;
    if (batched_) s_.batchWatcher = this;
}

RegistryLedger::~RegistryLedger() {
    s_.batchWatcher = outerWatcher_;
    if (finished_) return;
    // An error the loop does not handle ends it: the rows held stand as
    // they were counted.
    result_.stopped = true;
    s_.summary.registries.push_back(result_);
}

RowRecord RegistryLedger::make(Statement& src, RowOutcome outcome, std::string reason,
                               std::vector<std::string> columns) const {
    RowRecord row;
    row.position = result_.read;
    if (s_.ledger)
        for (const std::string& column : loop_.sourceKey) row.key.emplace_back(column, src.field(column).asText());
    row.outcome = outcome;
    row.reason = std::move(reason);
    row.columns = std::move(columns);
    return row;
}

// Rows left out or failed are handed on at once, so that a long run of them
// (a registry that skips most rows, keeping its transaction open) is never
// held.
void RegistryLedger::handOn(const RowRecord& record) {
    if (s_.ledger) s_.ledger->row(result_.name, record);
}

void RegistryLedger::uncount(const std::vector<std::string>& cut) {
    for (const std::string& column : cut)
        if (auto found = result_.cut.find(column); found != result_.cut.end() && --found->second == 0)
            result_.cut.erase(found);
}

void RegistryLedger::written(Statement& src, std::vector<std::string> cut) {
    ++result_.written;
    for (const std::string& column : cut) ++result_.cut[column];
    lastWritten_ = true;
    lastCut_ = cut;
    // Held only to be told apart from the target should its batch be lost,
    // and only while its transaction is open: the batch's last row is told
    // after the commit that ended it.
    if (batched_ && s_.CnOrdelio.inTransaction())
        held_.push_back({make(src, RowOutcome::Failed, {}, {}), std::move(cut)});
}

void RegistryLedger::record(Statement& src, RowOutcome outcome, std::string reason, std::vector<std::string> columns) {
    (outcome == RowOutcome::Skipped ? result_.skipped : result_.failed)++;
    lastWritten_ = false;
    if (s_.ledger) handOn(make(src, outcome, std::move(reason), std::move(columns)));
}

void RegistryLedger::writtenRowFailed(Statement& src, std::string reason, std::vector<std::string> columns) {
    if (!lastWritten_) return;
    lastWritten_ = false;
    --result_.written;
    ++result_.failed;
    uncount(lastCut_);
    // No longer one of its batch's written rows when the batch has not ended.
    if (!held_.empty() && held_.back().record.position == result_.read) held_.pop_back();
    if (s_.ledger) handOn(make(src, RowOutcome::Failed, std::move(reason), std::move(columns)));
}

void RegistryLedger::batchCommitted() { held_.clear(); }

void RegistryLedger::batchLost(const std::string& reason) {
    for (Held& held : held_) {
        --result_.written;
        ++result_.failed;
        uncount(held.cut);
        if (held.record.position == result_.read) lastWritten_ = false;
        held.record.reason = reason;
        handOn(held.record);
    }
    held_.clear();
}

RegistryResult RegistryLedger::finish(long long selected) {
    // Rows held by a batch that never ended (its transaction gone) stand as
    // they were counted.
    held_.clear();
    // A registry stopped by a failing row, or by a request to stop the run,
    // did not try the rest of its selection.
    if (result_.stopped || s_.stop.requested()) result_.notTried = std::max(0LL, selected - result_.read);
    finished_ = true;
    s_.summary.registries.push_back(result_);
    return result_;
}

}  // namespace conversor
