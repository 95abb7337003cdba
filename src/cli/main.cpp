// conversor-cli: the conversion run without a window, for automation and for
// checking a migration. See kUsage for the interface and the exit status.
#include <cstdio>
#include <cstring>
#include <stdexcept>

#include "app/operation_list.h"
#include "app/run.h"
#include "cli/options.h"
#include "cli/stop_signals.h"
#include "cli/terminal_operator.h"
#include "db/error.h"
#include "db/session.h"
#include "text/cp1252.h"

using namespace conversor;

namespace {

constexpr int kConverted = 0, kConvertedWithBoxes = 1, kNothingConverted = 2;

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
    cli::BlockStopSignals();
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

    cli::TerminalOperator ui(options.yes);
    Session session(ui);
    session.sourcePath = options.source;
    session.targetPath = options.target;
    session.backupFile = options.backup;
    session.setCommitInterval(options.commitEvery);
    ui.stopAsking(&session.stop);
    // Ends before the session, whose connections it cancels.
    cli::StopSignalWatcher watcher(session.stop);
    const auto stopped = [&] {
        std::fprintf(stderr, "conversor-cli: stopped by SIG%s\n", sigabbrev_np(session.stop.reason()));
        return cli::ExitStatusForSignal(session.stop.reason());
    };

    if (!chooseOperations(session, options)) return session.stop.requested() ? stopped() : kNothingConverted;

    const RunOutcome outcome = ExecuteRun(session, options.ticked);
    if (outcome == RunOutcome::Completed || outcome == RunOutcome::Aborted || outcome == RunOutcome::Interrupted)
        std::fputs(cli::FormatSummary(session.summary, session.targetPath).c_str(), stdout);
    if (session.stop.requested()) return stopped();
    if (outcome == RunOutcome::Completed || outcome == RunOutcome::Aborted)
        return session.summary.errorBoxes == 0 && outcome == RunOutcome::Completed ? kConverted : kConvertedWithBoxes;
    return kNothingConverted;
}
