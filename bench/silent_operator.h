#pragma once
// An operator that shows nothing and answers yes: the benchmark measures the
// conversion, not a front end. Boxes are counted so a run that went wrong
// does not pass for a fast one.
#include "db/operator.h"

namespace conversor::bench {

class SilentOperator : public Operator {
public:
    int boxes = 0;
    void setStatus(const std::string&) override {}
    void setGauge(long long, long long) override {}
    void processEvents() override {}
    void message(BoxKind kind, const std::string&, const std::string&) override {
        if (kind != BoxKind::Information) ++boxes;
    }
    bool confirm(const std::string&, const std::string&) override { return true; }
    void finished(const std::string&, const RunSummary&) override {}
};

}  // namespace conversor::bench
