#pragma once
// Everything one conversion works with: the two connections, the four shared
// statements, the operator, the choices made for the run, and the operations
// every converter relies on (transactions, table clearing, trigger switching,
// the gauge and the message boxes).
#include <optional>
#include <string>

#include "db/batch_watcher.h"
#include "db/operator.h"
#include "db/run_summary.h"
#include "db/firebird/connection.h"
#include "db/lookup_cache.h"
#include "db/firebird/statement.h"
#include "db/row_ledger.h"
#include "db/stop_request.h"
#include "db/statement_plan.h"

namespace conversor {

class Session {
public:
    explicit Session(Operator& ui);
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    Operator& ui;

    Connection CnTalvo;    // source: dialect 3, read-only transactions
    Connection CnOrdelio;  // target: dialect 1
    Statement qryTalvo;
    Statement qryAuxTalvo;
    Statement QryOrdelio;
    Statement qryAuxOrdelio;

    std::string sourcePath;
    std::string targetPath;
    // Key values of the two operation selectors: a CODOPER or an empty text.
    std::string codOperPagar;
    std::string codOperReceber;
    // Where the run backs the target up before changing it (a path on the
    // target's machine); empty for no backup.
    std::string backupFile;

    // Where the command line's signals reach the run (see StopRequest).
    StopRequest stop;
    // True once a stop has been requested: the run ends at this row
    // boundary, and nothing is cancelled any more.
    bool stopping();

    RunSummary summary;
    // Receives the rows the registries leave out or fail, and every box; none
    // when nobody keeps them (the counts are in the summary either way).
    LedgerSink* ledger = nullptr;
    // A failing row is undone alone and recorded, and its registry goes on.
    bool keepGoing = false;
    // The copy loop's, while it runs: told when a batch ends (see flushBatch).
    BatchWatcher* batchWatcher = nullptr;
    // Answers of the converters' lookups; a row's answers stand or fall with
    // the row (see the transaction operations below).
    Lookups lookups;
    // Set while a check lists what the run would run: the copy loop, the
    // guarded statements and the trigger switches then record their texts
    // here and run nothing.
    StatementPlan* planning = nullptr;

    // Connect (closing first); report their own failure and return false.
    bool ConectaTalvo();
    bool ConectaOrdelio();

    void AbreTransacao(Connection& cn);
    void ConfirmaTransacao(Connection& cn);
    void DesfazTransacao(Connection& cn);
    // As ConfirmaTransacao, for a write that is not one of a batch's rows
    // (a table's clearing): it stays in the batch without counting toward it.
    void ConfirmaSemContar(Connection& cn);

    void LimpaTabela(const std::string& table);
    void DesativaTriggers();
    void AtivaTriggers();

    // A check's dry run: from beginRehearsal to endRehearsal the target works
    // in one transaction that is never committed and is rolled back at the
    // end (each row under a savepoint, as in batches), and the number
    // generators are read, never moved. The target must be connected.
    void beginRehearsal();
    void endRehearsal();
    bool rehearsing() const { return rehearsing_; }
    // The last order number a rehearsal handed out, once it has read G_NUMORD.
    std::optional<long long> rehearsedNumOrd;

    // Rows per commit on the target; 1 is one transaction per row. Larger
    // values run each row under a savepoint of a longer transaction, taken
    // when the row first writes.
    void setCommitInterval(int rows);
    int commitInterval() const { return commitInterval_; }
    // Commits what a longer transaction holds (end of a registry, before an
    // error box). Nothing to do with one transaction per row.
    void flushBatch();
    // Executes the last write of a row (nothing else is written before its
    // confirmation). In a batch, a row that has written nothing before it
    // needs no savepoint: a failing statement is undone by the engine as a
    // whole, so the row leaves nothing of itself behind either way.
    void executeLastWrite(Statement& st);

    // Status, gauge and boxes; every box counts for the run's exit status.
    void setStatus(const std::string& text);
    void processEvents();
    void resetGauge(long long maximum);
    void resetGaugeKeepingMaximum();
    void stepGauge();
    long long gaugeProgress() const { return gaugeProgress_; }
    long long gaugeMaximum() const { return gaugeMaximum_; }
    void error(const std::string& text);                 // caption "Erro"
    void warning(const std::string& text);               // caption "Alerta"
    void information(const std::string& text);           // caption "Informação"
    void box(BoxKind kind, const std::string& caption, const std::string& text);

private:
    bool connect(Connection& cn, const std::string& path, const std::string& failureText);
    void switchTriggers(const char* state, const std::string& failureText);
    void savepointBeforeWrite();
    bool undoableRow(const Connection& cn) const;

    // The per-row savepoint of a batch: prepared once, run for every row.
    Statement savepoint_{CnOrdelio};
    Statement releaseSavepoint_{CnOrdelio};
    Statement undoToSavepoint_{CnOrdelio};

    int commitInterval_ = 1;
    bool rehearsing_ = false;
    int rowsInBatch_ = 0;
    bool rowOpen_ = false;       // a batched row between AbreTransacao and its end
    bool rowSavepoint_ = false;  // ... that has taken its savepoint
    bool lastWrite_ = false;     // executeLastWrite is running
    long long gaugeProgress_ = 0;
    long long gaugeMaximum_ = 100;
};

}  // namespace conversor
