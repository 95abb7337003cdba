#include "cli/terminal_operator.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "app/run_accounting.h"
#include "db/firebird/backup.h"
#include "db/stop_request.h"
#include "text/cp1252.h"

namespace conversor::cli {

std::string FormatBox(const std::string& caption, const std::string& text) {
    std::string out = "[" + ToUtf8(caption) + "] " + ToUtf8(text);
    for (char& c : out)
        if (c == '\r') c = '\n';
    return out;
}

std::string FormatSummary(const RunSummary& summary, const Ticked& ticked, const std::string& target) {
    std::string out;
    char line[200];
    std::snprintf(line, sizeof line, "%-20s %10s %10s %10s %10s %10s  %s\n", "registry", "read", "written", "skipped",
                  "failed", "not tried", "result");
    out += line;
    for (const RegistryResult& r : summary.registries) {
        const char* result = summary.interrupted && r.name == summary.interruptedIn ? "interrupted"
                             : r.stopped                                              ? "stopped at a failing row"
                             : r.failed > 0                                           ? "rows failed"
                                                                                      : "ok";
        std::snprintf(line, sizeof line, "%-20s %10lld %10lld %10lld %10lld %10lld  %s\n", r.name.c_str(), r.read,
                      r.written, r.skipped, r.failed, r.notTried, result);
        out += line;
    }
    std::string notRun;
    for (const RegistryAccount& a : AccountRegistries(ticked, summary))
        if (a.state == RegistryState::NotRun) notRun += (notRun.empty() ? "" : ", ") + std::string(a.registry->name);
    if (!notRun.empty())
        out += std::string(summary.interrupted ? "not run (the run was interrupted before them): "
                                               : "not run (an error ended the run before them): ") +
               notRun + "\n";
    if (summary.interrupted)
        out += "interrupted " + (summary.interruptedIn.empty() ? std::string("outside the registries")
                                                               : "in " + summary.interruptedIn) +
               "; the rows committed before stay\n";
    if (!summary.backupFile.empty()) {
        out += "backup: " + summary.backupFile + "\n";
        if (!target.empty()) out += "restore: " + RestoreCommand(summary.backupFile, target) + "\n";
    }
    return out;
}

TerminalOperator::TerminalOperator(bool assumeYes, std::FILE* err, std::FILE* in)
    : assumeYes_(assumeYes), err_(err), in_(in), progressOnTerminal_(isatty(fileno(err)) != 0) {}

void TerminalOperator::setStatus(const std::string& text) {
    status_ = text;
    percent_ = -1;
    if (text.empty()) clearProgress();
    else drawProgress();
}

void TerminalOperator::setGauge(long long progress, long long maximum) {
    // The same truncated whole percentage the window's gauge shows.
    const int percent = maximum > 0 ? static_cast<int>(progress * 100 / maximum) : 0;
    if (percent == percent_) return;
    percent_ = percent;
    drawProgress();
}

void TerminalOperator::drawProgress() {
    if (!progressOnTerminal_ || status_.empty()) return;
    std::fprintf(err_, "\r\033[K%s %d%%", ToUtf8(status_).c_str(), percent_ < 0 ? 0 : percent_);
    std::fflush(err_);
    progressShown_ = true;
}

void TerminalOperator::clearProgress() {
    if (!progressShown_) return;
    std::fprintf(err_, "\r\033[K");
    progressShown_ = false;
}

void TerminalOperator::message(BoxKind, const std::string& caption, const std::string& text) {
    clearProgress();
    std::fprintf(err_, "%s\n", FormatBox(caption, text).c_str());
    std::fflush(err_);
    drawProgress();
}

bool TerminalOperator::confirm(const std::string& caption, const std::string& text) {
    if (assumeYes_) return true;
    if (!isatty(fileno(in_))) {
        std::fprintf(err_, "%s\n(not confirmed: standard input is not a terminal; use --yes)\n",
                     FormatBox(caption, text).c_str());
        return false;
    }
    std::fprintf(err_, "%s\n[s/N] ", FormatBox(caption, text).c_str());
    std::fflush(err_);
    if (!answerArrives()) {
        std::fprintf(err_, "\n");
        return false;
    }
    char answer[16] = {};
    if (!std::fgets(answer, sizeof answer, in_)) return false;
    return answer[0] == 's' || answer[0] == 'S' || answer[0] == 'y' || answer[0] == 'Y';
}

bool TerminalOperator::answerArrives() {
    if (!stop_) return true;
    // Signals are taken by a thread of their own and interrupt no read:
    // wait for the answer a little at a time, looking for a stop between.
    pollfd in{fileno(in_), POLLIN, 0};
    while (!stop_->requested()) {
        const int ready = poll(&in, 1, 100);
        if (ready > 0 || (ready < 0 && errno != EINTR)) return true;
    }
    return false;
}

void TerminalOperator::finished(const std::string& text, const RunSummary&) {
    clearProgress();
    std::fprintf(err_, "%s\n", FormatBox(Caption(BoxKind::Information), text).c_str());
}

}  // namespace conversor::cli
