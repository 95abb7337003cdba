// conversor-cli: the conversion run without a window, for automation and for
// checking a migration. See kUsage for the interface and the exit status.
#include <chrono>
#include <cstdio>
#include <ctime>
#include <memory>
#include <cstring>
#include <stdexcept>

#include "app/check.h"
#include "app/json_report.h"
#include "app/operation_list.h"
#include "app/run.h"
#include "app/run_accounting.h"
#include "app/stop_signals.h"
#include "cli/check_report.h"
#include "cli/options.h"
#include "cli/terminal_operator.h"
#include "db/firebird/error.h"
#include "db/session.h"
#include "text/cp1252.h"
#include "version/version_text.h"

using namespace conversor;

namespace {

constexpr int kConverted = 0, kConvertedWithBoxes = 1, kNothingConverted = 2;

// The run report, when one was asked for: its file is made before the run, so
// a name that cannot be written stops the run before anything changes.
class ReportFile {
public:
    explicit ReportFile(const cli::Options& o) : path_(*o.report) {
        std::unique_ptr<std::FILE, int (*)(std::FILE*)> probe(std::fopen(path_.c_str(), "wb"), &std::fclose);
        if (!probe) throw std::invalid_argument("cannot write the report " + path_);
        run_.source = o.source;
        run_.target = o.target;
        run_.commitEvery = o.commitEvery;
        // A check's dry run always goes on past failing rows.
        run_.keepGoing = o.keepGoing || o.check;
        run_.ticked = o.ticked;
        run_.started = std::time(nullptr);
        start_ = std::chrono::steady_clock::now();
    }
    LedgerSink& sink() { return report_; }
    // False (told on standard error) when the report could not be written.
    bool write(int exit, const RunSummary& summary, const CheckResult* check = nullptr) {
        run_.exit = exit;
        run_.check = check;
        run_.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
        try {
            report_.write(path_, run_, summary);
            return true;
        } catch (const std::exception& e) {
            std::fprintf(stderr, "conversor-cli: %s\n", e.what());
            return false;
        }
    }

private:
    std::string path_;
    JsonReport report_;
    ReportedRun run_;
    std::chrono::steady_clock::time_point start_;
};

// Resolves the chosen operation codes against the target, as the window's
// selectors would; false when a code is unknown (reported) or the target
// cannot be read.
bool chooseOperations(Session& s, const cli::Options& o) {
    if (!o.payablesOp && !o.receivablesOp) return true;
    if (!s.ConectaOrdelio()) return false;
    struct Choice {
        const std::optional<std::string>& typed;
        const char* type;
        std::string& keyValue;
    };
    for (Choice c : {Choice{o.payablesOp, "5", s.codOperPagar}, Choice{o.receivablesOp, "8", s.codOperReceber}}) {
        if (!c.typed) continue;
        OperationList list(c.type);
        try {
            list.load(s.CnOrdelio);
        } catch (const DbError& e) {
            s.box(BoxKind::Error, kProgramTitle, std::string(e.what()) + ".");
            return false;
        }
        auto code = ValidateOperationCode(list, *c.typed);
        if (!code) {
            s.warning(W("Operação não cadastrada."));
            return false;
        }
        c.keyValue = *code;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    // Before the client library starts any thread.
    BlockStopSignals();
    cli::Options options;
    try {
        options = cli::ParseOptions(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::invalid_argument& e) {
        std::fprintf(stderr, "conversor-cli: %s\n\n%s", e.what(), cli::kUsage);
        return kNothingConverted;
    }
    if (options.help) {
        std::fputs(cli::kUsage, stdout);
        return kConverted;
    }
    if (options.version) {
        std::fputs(VersionText("conversor-cli").c_str(), stdout);
        return kConverted;
    }

    std::unique_ptr<ReportFile> report;
    try {
        if (options.report) report = std::make_unique<ReportFile>(options);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "conversor-cli: %s\n", e.what());
        return kNothingConverted;
    }

    cli::TerminalOperator ui(options.yes);
    Session session(ui);
    session.sourcePath = options.source;
    session.targetPath = options.target;
    if (options.check) {
        // The codes as typed: the check validates them with everything else.
        session.codOperPagar = options.payablesOp.value_or("");
        session.codOperReceber = options.receivablesOp.value_or("");
        if (report) session.ledger = &report->sink();
        const CheckResult result = ExecuteCheck(session, options.ticked);
        if (result.outcome == CheckOutcome::Completed) std::fputs(cli::FormatCheck(result, options.ticked).c_str(), stdout);
        const int exit = CheckExitStatus(result);
        if (report && !report->write(exit, result.summary, &result) && exit == 0) return 1;
        return exit;
    }
    session.backupFile = options.backup;
    session.setCommitInterval(options.commitEvery);
    session.keepGoing = options.keepGoing;
    if (report) session.ledger = &report->sink();
    ui.stopAsking(&session.stop);
    // Ends before the session, whose connections it cancels.
    StopSignalWatcher watcher(session.stop);

    int exit = kNothingConverted;
    if (chooseOperations(session, options)) {
        const RunOutcome outcome = ExecuteRun(session, options.ticked);
        exit = ExitStatus(outcome, session.summary);
        if (exit != kNothingConverted || outcome == RunOutcome::Interrupted)
            std::fputs(cli::FormatSummary(session.summary, options.ticked, session.targetPath).c_str(), stdout);
    }
    if (session.stop.requested()) {
        std::fprintf(stderr, "conversor-cli: stopped by SIG%s\n", sigabbrev_np(session.stop.reason()));
        exit = ExitStatusForSignal(session.stop.reason());
    }
    if (report && !report->write(exit, session.summary) && exit == kConverted) return kConvertedWithBoxes;
    return exit;
}
