// conversor-cli: the conversion run without a window, for automation and for
// checking a migration. See kUsage for the interface and the exit status.
#include <cstdio>
#include <stdexcept>

#include "app/check.h"
#include "app/operation_list.h"
#include "app/run.h"
#include "cli/check_report.h"
#include "cli/options.h"
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
    if (options.check) {
        // The codes as typed: the check validates them with everything else.
        session.codOperPagar = options.payablesOp.value_or("");
        session.codOperReceber = options.receivablesOp.value_or("");
        const CheckResult result = ExecuteCheck(session, options.ticked);
        if (result.outcome == CheckOutcome::Completed) std::fputs(cli::FormatCheck(result).c_str(), stdout);
        return cli::CheckExitStatus(result);
    }
    session.setCommitInterval(options.commitEvery);
    if (!chooseOperations(session, options)) return kNothingConverted;

    const RunOutcome outcome = ExecuteRun(session, options.ticked);
    if (outcome == RunOutcome::Completed || outcome == RunOutcome::Aborted) {
        std::fputs(cli::FormatSummary(session.summary).c_str(), stdout);
        return session.summary.errorBoxes == 0 && outcome == RunOutcome::Completed ? kConverted : kConvertedWithBoxes;
    }
    return kNothingConverted;
}
