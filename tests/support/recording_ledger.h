#pragma once
#include <string>
#include <vector>

#include "db/row_ledger.h"

namespace conversor::testing {

// Keeps every row record and box the run hands to its ledger.
class RecordingLedger : public LedgerSink {
public:
    struct Row {
        std::string registry;
        RowRecord record;
    };
    std::vector<Row> rows;
    std::vector<std::string> messages;  // the texts

    void row(const std::string& registry, const RowRecord& record) override { rows.push_back({registry, record}); }
    void message(BoxKind, const std::string&, const std::string& text) override { messages.push_back(text); }
    void question(const std::string&, const std::string& text, bool) override { messages.push_back(text); }
};

}  // namespace conversor::testing
