#pragma once
// The rows a registry left out or could not write, each named by its source
// key and the reason, handed to whoever keeps them (the run report) as they
// happen, so that a run with many of them never holds them all.
#include <string>
#include <utility>
#include <vector>

#include "db/operator.h"

namespace conversor {

enum class RowOutcome { Skipped, Failed };

struct RowRecord {
    long long position = 0;  // 1-based, in the registry's source selection
    // The source columns that identify the row, as the selection names them,
    // with their values as read (Windows-1252).
    std::vector<std::pair<std::string, std::string>> key;
    RowOutcome outcome = RowOutcome::Skipped;
    std::string reason;                // the rule that skipped it, or the server's message
    std::vector<std::string> columns;  // target columns the reason names
};

class LedgerSink {
public:
    virtual ~LedgerSink() = default;
    virtual void row(const std::string& registry, const RowRecord& record) = 0;
    // Every box the run shows, in order.
    virtual void message(BoxKind kind, const std::string& caption, const std::string& text) = 0;
    // The run's confirmation and the operator's answer.
    virtual void question(const std::string& caption, const std::string& text, bool answer) = 0;
};

}  // namespace conversor
