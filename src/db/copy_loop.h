#pragma once
// The one loop every registry is copied with: status text, source selection,
// clearing of the target tables, gauge, and for each source row a guarded
// block in a transaction of its own that binds, writes and commits. The first
// row that fails is rolled back and reported in one error box, and the
// registry stops there; the run goes on with the next registry. When the run
// keeps going past failing rows, a failing row is undone alone, recorded, and
// the registry goes on; one box at its end tells the first failure and how
// many more rows failed.
#include <functional>
#include <string>
#include <vector>

#include "db/run_summary.h"
#include "db/statement_plan.h"

namespace conversor {

class Session;
class Statement;

// What a row's binding decided: write it, or leave it out under the
// registry's rule (the reason names the rule). A row left out normally
// commits its (empty) transaction; one that keeps it open carries it over to
// the next row, whose commit covers both.
struct RowDecision {
    enum class Kind { Write, Skip, SkipKeepingTransaction };
    Kind kind = Kind::Write;
    std::string reason;  // Windows-1252; empty for a written row

    static RowDecision Write() { return {}; }
    static RowDecision Skip(std::string reason) { return {Kind::Skip, std::move(reason)}; }
    static RowDecision SkipKeepingTransaction(std::string reason) {
        return {Kind::SkipKeepingTransaction, std::move(reason)};
    }
};

// A further row a source row writes into another table once its own row is
// written (a product's stock row), with a failure box of its own. A failure
// makes the source row a failed row of the registry, recorded with the
// table and the server's reason. Without going on past failing rows, each
// is written after the row is committed, in a transaction of its own: its
// failure is shown in its box, the row itself stays, and the next further
// row is still written. Going on, they are written in the row's own
// transaction, so that a failing one undoes the whole row alone.
struct FurtherRow {
    std::string table;
    std::string insertSql;  // run on QryOrdelio
    std::function<void(Statement& source, Statement& target)> bind;
    // The box's text before the server's reason.
    std::function<std::string(Statement& source)> failureText;
};

struct CopyLoop {
    std::string registry;        // name in the run's summary, e.g. "cidades"
    std::string statusText;      // "Convertendo Cidades..."

    std::string sourceSql;
    // Binds the source selection's parameters, when it has any.
    std::function<void(Statement& source)> bindSource;
    // The selection's columns that identify a source row, for the ledger.
    std::vector<std::string> sourceKey;

    std::vector<std::string> clearTables;  // emptied with LimpaTabela, in order
    bool clearBeforeSource = false;        // most registries clear after opening the source
    // Replaces the LimpaTabela calls when the registry clears in its own way.
    std::function<void()> customClear;

    std::string targetTable;     // named in the error box
    std::string insertSql;       // run on QryOrdelio
    bool insertPerRow = false;   // the text is cleared and set again for every row

    // Work done before the row's transaction is opened (inside the guard).
    std::function<void(Statement& source)> beforeRow;
    // Binds every parameter of the insert and decides the row (the
    // converter's condition). Lookups made here share the transaction.
    std::function<RowDecision(Statement& source, Statement& target)> bind;

    // The line(s) of the error box between the table and "Erro: ", e.g.
    // "Cidade: " + the city's name. Read after the rollback, from the source
    // row as it came.
    std::function<std::string(Statement& source)> rowName;

    // Written after the row's insert, in order (see FurtherRow); the insert
    // is then set again for every row.
    std::vector<FurtherRow> furtherRows;

    // After the row is committed and the gauge moved, outside the guard:
    // further writes with traps of their own. Not run for a failed row.
    std::function<void(Statement& source)> afterRow;

    // What the callbacks above run besides the insert (lookups, further
    // writes), so that a check can prepare it before a run; the texts come
    // from the functions that run them.
    StatementPlan alsoRuns;
};

// rowName for the common case: label + ": " + a column of the source row.
std::function<std::string(Statement&)> NamedBy(std::string label, std::string column);

// Runs the loop and records the registry's counts in the session's summary
// (also when an error the loop does not handle ends it). In planning mode it
// only records the loop's statements.
RegistryResult RunCopyLoop(Session& session, const CopyLoop& loop);

// The loop's statements in the order it runs them: source selection,
// clearings, insert, then what it also runs and its further rows.
void PlanCopyLoop(Session& session, const CopyLoop& loop);

// The text of the loop's error box.
std::string RowErrorText(const std::string& table, const std::string& detail, const std::string& reason);

}  // namespace conversor
