#pragma once
// The operator of a headless run: boxes on standard error, progress on the
// terminal, the confirmation answered by --yes or asked on the terminal.
#include <cstdio>
#include <string>

#include "app/run.h"
#include "db/operator.h"

namespace conversor {
class StopRequest;
}

namespace conversor::cli {

class TerminalOperator : public Operator {
public:
    TerminalOperator(bool assumeYes, std::FILE* err = stderr, std::FILE* in = stdin);
    // A request to stop answers the confirmation's question with No.
    void stopAsking(const StopRequest* stop) { stop_ = stop; }

    void setStatus(const std::string& text) override;
    void setGauge(long long progress, long long maximum) override;
    void processEvents() override {}
    void message(BoxKind kind, const std::string& caption, const std::string& text) override;
    bool confirm(const std::string& caption, const std::string& text) override;
    void finished(const std::string& text, const RunSummary& summary) override;

private:
    void drawProgress();
    void clearProgress();

    bool answerArrives();

    bool assumeYes_;
    const StopRequest* stop_ = nullptr;
    std::FILE* err_;
    std::FILE* in_;
    bool progressOnTerminal_;
    std::string status_;
    int percent_ = -1;
    bool progressShown_ = false;
};

// "[Caption] text" with every '\r' as a line break, decoded from Windows-1252.
std::string FormatBox(const std::string& caption, const std::string& text);

// One line per registry that ran, then the ticked registries an error kept
// from running, the interruption, and the backup with the command that
// restores it over target.
std::string FormatSummary(const RunSummary& summary, const Ticked& ticked, const std::string& target = {});

}  // namespace conversor::cli
