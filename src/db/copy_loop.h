#pragma once
// The one loop every registry is copied with: status text, source selection,
// clearing of the target tables, gauge, and for each source row a guarded
// block in a transaction of its own that binds, writes and commits. The first
// row that fails is rolled back and reported in one error box, and the
// registry stops there; the run goes on with the next registry.
#include <functional>
#include <string>
#include <vector>

#include "db/run_summary.h"
#include "db/statement_plan.h"

namespace conversor {

class Session;
class Statement;

struct CopyLoop {
    std::string registry;        // name in the run's summary, e.g. "cidades"
    std::string statusText;      // "Convertendo Cidades..."

    std::string sourceSql;
    // Binds the source selection's parameters, when it has any.
    std::function<void(Statement& source)> bindSource;

    std::vector<std::string> clearTables;  // emptied with LimpaTabela, in order
    bool clearBeforeSource = false;        // most registries clear after opening the source
    // Replaces the LimpaTabela calls when the registry clears in its own way.
    std::function<void()> customClear;

    // The gauge keeps the maximum the previous registry left (only the
    // progress is reset) when false.
    bool gaugeFromRowCount = true;

    std::string targetTable;     // named in the error box
    std::string insertSql;       // run on QryOrdelio
    bool insertPerRow = false;   // the text is cleared and set again for every row

    // Work done before the row's transaction is opened (inside the guard).
    std::function<void(Statement& source)> beforeRow;
    // Binds every parameter of the insert; returns whether the row is written
    // (the converter's condition). Lookups made here share the transaction.
    std::function<bool(Statement& source, Statement& target)> bind;
    // When the condition also covers the commit, a skipped row leaves its
    // transaction open for the next row to carry on.
    bool conditionCoversCommit = false;

    // Error box: "...para a tabela <targetTable>\r<label>: <value>\rErro: <reason>".
    // The value is read after the rollback, from the source row as it came.
    std::string errorLabel;
    std::function<std::string(Statement& source)> errorValue;
    // Replaces the line(s) between the table and "Erro: " when a registry
    // names its row in more than one way.
    std::function<std::string(Statement& source)> errorDetail;

    // After the row is committed and the gauge moved, outside the guard:
    // further writes with traps of their own.
    std::function<void(Statement& source)> afterRow;

    // What the callbacks above run besides the insert (lookups, further
    // writes), so that a check can prepare it before a run; the texts come
    // from the functions that run them.
    StatementPlan alsoRuns;
};

// Runs the loop and records the registry's counts in the session's summary.
// In planning mode it only records the loop's statements.
RegistryResult RunCopyLoop(Session& session, const CopyLoop& loop);

// The loop's statements in the order it runs them: source selection,
// clearings, insert, then what it also runs.
void PlanCopyLoop(Session& session, const CopyLoop& loop);

// The text of the loop's error box.
std::string RowErrorText(const std::string& table, const std::string& detail, const std::string& reason);

}  // namespace conversor
