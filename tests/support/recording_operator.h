#pragma once
#include <string>
#include <vector>

#include "db/operator.h"

namespace conversor::testing {

// Records everything the core shows, and answers the confirmation as told.
class RecordingOperator : public Operator {
public:
    struct Box {
        BoxKind kind;
        std::string caption;
        std::string text;
    };
    std::vector<std::string> statuses;
    std::vector<Box> boxes;
    long long progress = 0;
    long long maximum = 100;
    int eventsProcessed = 0;
    bool answer = true;
    int questions = 0;

    void setStatus(const std::string& text) override { statuses.push_back(text); }
    void setGauge(long long p, long long m) override {
        progress = p;
        maximum = m;
    }
    void processEvents() override { ++eventsProcessed; }
    void message(BoxKind kind, const std::string& caption, const std::string& text) override {
        boxes.push_back({kind, caption, text});
    }
    bool confirm(const std::string&, const std::string&) override {
        ++questions;
        return answer;
    }
    // The texts of every box, '\r' shown as '|' so a failing assertion reads well.
    std::vector<std::string> boxTexts() const;
};

}  // namespace conversor::testing
