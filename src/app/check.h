#pragma once
// The check behind "Verificar" and conversor-cli --check: what a run of the
// ticked registries would meet, learnt before anything is erased, changing
// nothing in either database. It prepares every statement the run would run,
// looks for the objects the run relies on, warns of choices left out, has the
// engine validate the source, and converts everything once in a target
// transaction that is rolled back, going on past failing rows as a run with
// keepGoing does, so that every row the run would leave out is named.
#include <string>
#include <vector>

#include "app/run.h"
#include "db/row_ledger.h"
#include "db/run_summary.h"
#include "db/statement_plan.h"

namespace conversor {

class Session;

struct CheckFinding {
    enum class Kind {
        Statement,           // the server would not prepare a statement of the run
        MissingTrigger,      // a trigger the run switches is not in the target
        MissingGenerator,    // the order-number generator is not in the target
        UnknownOperation,    // the operation code is not in CDOPERC under its type
        NoOperation,         // documents would be filed under an empty operation
        DamagedSource,       // the engine's validation found a damaged page or record
        SourceNotValidated,  // the validation could not be run
        StopsRun,            // in the dry run an error no converter handles ended the registry
    };
    Kind kind;
    std::string registry;  // the registry's name; empty for the run's start-up steps
    std::string subject;   // the statement, object, code or validation line concerned
    std::string reason;    // the server's own message, when there is one
    Database on = Database::Target;
};

// Where the check's reports put a finding: schema problems, warnings, the
// source's health, or errors that would end the run.
enum class FindingPart { SchemaProblem, Warning, SourceHealth, EndsRun };
FindingPart PartOf(const CheckFinding& finding);

// Whether the finding alone keeps the run from converting as it should
// (schema problems, a check that could not run).
bool IsBlocking(const CheckFinding& finding);

// The schema problems of the ticked registries and of the run's start-up
// steps: every statement they would run prepared on its connection without
// running it, the two triggers, the order-number generator (when documents
// are ticked), and the operation codes chosen (the session's key values,
// which become the codes as the selectors validate them). Both connections
// must be open.
std::vector<CheckFinding> CheckSchema(Session& s, const Ticked& ticked);

// What the run would do without a word: payable or receivable documents
// ticked with no operation chosen are filed under an empty operation.
std::vector<CheckFinding> CheckChoices(const Session& s, const Ticked& ticked);

// The source as the engine's own validation finds it: a finding for each
// line of its report that tells of damage, or one saying why the source could
// not be validated.
std::vector<CheckFinding> CheckSourceHealth(const Session& s);

// The statements the run's start-up steps and the given registries would
// run, in the run's order, each with the name of its registry.
struct RegistryPlan {
    std::string registry;  // empty for the start-up steps
    StatementPlan statements;
};
std::vector<RegistryPlan> PlanRun(Session& s, const Ticked& ticked);

enum class CheckOutcome {
    EmptySourcePath,   // warned of, as the run does; nothing checked
    EmptyTargetPath,
    ConnectionFailed,  // reported by the connection; nothing checked
    Completed,         // every part of the check ran
};

// A row the dry run skipped or failed, as a run's ledger records it.
struct CheckedRow {
    std::string registry;
    RowRecord record;
};

// A checked row's source key as the check's listings show it,
// "COLUMN=value, ..." in UTF-8.
std::string KeyText(const CheckedRow& row);

struct CheckResult {
    CheckOutcome outcome = CheckOutcome::Completed;
    std::vector<CheckFinding> findings;
    // Registries the dry run left out because of their schema problems.
    std::vector<std::string> notRehearsed;
    // What the dry run did, registry by registry, and the boxes it showed:
    // the figures and boxes of a real run that goes on past failing rows.
    RunSummary summary;
    // Every row it skipped or failed, in the run's order.
    std::vector<CheckedRow> rows;
};

enum class CheckVerdict {
    Clean,           // the run would convert everything without a box
    WouldShowBoxes,  // it would convert, but show boxes, or skip or fail rows
    CannotConvert,   // schema problems, or the check could not run
};
CheckVerdict Verdict(const CheckResult& result);
// 0 clean, 1 boxes or rows left out, 2 schema problems or no check.
int CheckExitStatus(const CheckResult& result);

// The whole check, on the session's paths, choices and ticked registries.
// Both databases are (re)connected, as for a run; nothing is asked and
// nothing in either database changes. Boxes of the dry run are shown as the
// run shows them; its rows and boxes also go to the session's ledger, when
// it has one. The screen is disabled while it runs; it is not reset.
CheckResult ExecuteCheck(Session& s, const Ticked& ticked, const RunScreen& screen = {});

}  // namespace conversor
