#include "cli/terminal_operator.h"

#include <unistd.h>

#include <cstring>

#include "app/run_accounting.h"
#include "text/cp1252.h"

namespace conversor::cli {

std::string FormatBox(const std::string& caption, const std::string& text) {
    std::string out = "[" + ToUtf8(caption) + "] " + ToUtf8(text);
    for (char& c : out)
        if (c == '\r') c = '\n';
    return out;
}

std::string FormatSummary(const RunSummary& summary, const Ticked& ticked) {
    std::string out;
    char line[200];
    std::snprintf(line, sizeof line, "%-20s %10s %10s %10s %10s %10s  %s\n", "registry", "read", "written", "skipped",
                  "failed", "not tried", "result");
    out += line;
    for (const RegistryResult& r : summary.registries) {
        const char* result = r.stopped ? "stopped at a failing row" : r.failed > 0 ? "rows failed" : "ok";
        std::snprintf(line, sizeof line, "%-20s %10lld %10lld %10lld %10lld %10lld  %s\n", r.name.c_str(), r.read,
                      r.written, r.skipped, r.failed, r.notTried, result);
        out += line;
    }
    std::string notRun;
    for (const RegistryAccount& a : AccountRegistries(ticked, summary))
        if (a.state == RegistryState::NotRun) notRun += (notRun.empty() ? "" : ", ") + std::string(a.registry->name);
    if (!notRun.empty()) out += "not run (an error ended the run before them): " + notRun + "\n";
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
    char answer[16] = {};
    if (!std::fgets(answer, sizeof answer, in_)) return false;
    return answer[0] == 's' || answer[0] == 'S' || answer[0] == 'y' || answer[0] == 'Y';
}

void TerminalOperator::finished(const std::string& text, const RunSummary&) {
    clearProgress();
    std::fprintf(err_, "%s\n", FormatBox(Caption(BoxKind::Information), text).c_str());
}

}  // namespace conversor::cli
