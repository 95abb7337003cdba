#include "db/session.h"

#include "db/firebird/error.h"
#include "db/guarded.h"
#include "text/cp1252.h"

namespace conversor {

namespace {
ConnectionOptions sourceOptions() {
    ConnectionOptions o;
    o.dialect = 3;
    o.readOnly = true;
    return o;
}
ConnectionOptions targetOptions() {
    ConnectionOptions o;
    o.dialect = 1;
    return o;
}
}  // namespace

Session::Session(Operator& op)
    : ui(op),
      CnTalvo(sourceOptions()),
      CnOrdelio(targetOptions()),
      qryTalvo(CnTalvo),
      qryAuxTalvo(CnTalvo),
      QryOrdelio(CnOrdelio),
      qryAuxOrdelio(CnOrdelio) {
    savepoint_.setText("SAVEPOINT CONVERSOR_ROW");
    releaseSavepoint_.setText("RELEASE SAVEPOINT CONVERSOR_ROW");
    undoToSavepoint_.setText("ROLLBACK TO SAVEPOINT CONVERSOR_ROW");
    stop.watch(CnOrdelio);
    stop.watch(CnTalvo);
    CnOrdelio.setBeforeWrite([this] { savepointBeforeWrite(); });
}

bool Session::stopping() {
    if (!stop.requested()) return false;
    stop.acknowledge();
    return true;
}

namespace {
// The row in progress when a stop is requested is undone, never committed:
// a lookup cut short by the stop may have left it incomplete.
void refuseWhileStopping(const Session& s) {
    if (s.stop.pending()) throw DbError(W("Conversão interrompida."));
}
}  // namespace

bool Session::connect(Connection& cn, const std::string& path, const std::string& failureText) {
    try {
        cn.close();
        cn.setDatabase(path);
        cn.open();
        return true;
    } catch (const DbError& e) {
        box(BoxKind::Exclamation, Caption(BoxKind::Exclamation), failureText + e.what());
        return false;
    }
}

bool Session::ConectaTalvo() {
    return connect(CnTalvo, sourcePath, W("Impossível conectar ao banco de dados Talvo pelo seguinte motivo: \r"));
}

bool Session::ConectaOrdelio() {
    return connect(CnOrdelio, targetPath, W("Impossível conectar ao banco de dados do Ordelio pelo seguinte motivo: \r"));
}

void Session::setCommitInterval(int rows) { commitInterval_ = rows < 1 ? 1 : rows; }

static bool batched(const Session& s, const Connection& cn) {
    return (s.commitInterval() > 1 || s.rehearsing()) && &cn == &s.CnOrdelio;
}

void Session::beginRehearsal() {
    rehearsing_ = true;
    rehearsedNumOrd.reset();
    rowsInBatch_ = 0;
    rowSavepoint_ = false;
    CnOrdelio.setNeverCommit(true);
    CnOrdelio.startTransaction();
}

void Session::endRehearsal() {
    rehearsing_ = false;
    rowSavepoint_ = false;
    rowsInBatch_ = 0;
    lookups.clear();
    try {
        CnOrdelio.rollback();
    } catch (const DbError&) {
        // A transaction that cannot be rolled back is dropped with the
        // connection: nothing of it was committed.
        CnOrdelio.close();
    }
    CnOrdelio.setNeverCommit(false);
}

void Session::AbreTransacao(Connection& cn) {
    if (!batched(*this, cn)) {
        if (!cn.inTransaction()) cn.startTransaction();
        return;
    }
    if (!cn.inTransaction()) {
        cn.startTransaction();
        rowsInBatch_ = 0;
    }
    // The savepoint waits for the row's first write (savepointBeforeWrite);
    // a row carried over keeps the one it has.
    rowOpen_ = true;
}

void Session::savepointBeforeWrite() {
    // A rehearsal is one transaction whatever the interval: its rows need
    // their savepoints as a batch's do.
    if (!rowOpen_ || rowSavepoint_ || (commitInterval_ <= 1 && !rehearsing_)) return;
    // A row's last write goes without one: it fails whole or not at all.
    // But once a stop is asked for, what came before it in the row may have
    // been cut short, so the row must stay undoable.
    if (lastWrite_ && !stop.requested()) return;
    rowSavepoint_ = true;  // set first: the savepoint is itself a statement
    try {
        savepoint_.execute();
    } catch (const DbError&) {
        rowSavepoint_ = false;
        throw;
    }
}

void Session::executeLastWrite(Statement& st) {
    lastWrite_ = true;
    try {
        st.execute();
    } catch (const DbError&) {
        lastWrite_ = false;
        throw;
    }
    lastWrite_ = false;
}

// A batched row without a savepoint cannot be undone; it can only have
// gone without one when nothing asked for a stop before its last write,
// so the stop cut nothing of it short: it is whole and stays.
bool Session::undoableRow(const Connection& cn) const {
    return &cn == &CnOrdelio && (!batched(*this, cn) || rowSavepoint_);
}

void Session::ConfirmaTransacao(Connection& cn) {
    if (undoableRow(cn)) refuseWhileStopping(*this);
    if (!batched(*this, cn)) {
        if (cn.inTransaction()) cn.commit();
        if (&cn == &CnOrdelio) lookups.rowDone();
        return;
    }
    if (!rowOpen_) return;
    // The savepoint is not released here: the next row's savepoint of the
    // same name replaces it, which saves a statement per row.
    rowOpen_ = false;
    rowSavepoint_ = false;
    lookups.rowDone();
    if (++rowsInBatch_ >= commitInterval_) flushBatch();
}

void Session::ConfirmaSemContar(Connection& cn) {
    if (undoableRow(cn)) refuseWhileStopping(*this);
    if (!batched(*this, cn)) {
        ConfirmaTransacao(cn);
        return;
    }
    rowOpen_ = false;
    rowSavepoint_ = false;
    lookups.rowDone();
}

void Session::DesfazTransacao(Connection& cn) {
    if (!batched(*this, cn)) {
        if (&cn == &CnOrdelio) lookups.rowUndone();
        if (cn.inTransaction()) cn.rollback();
        return;
    }
    lookups.rowUndone();
    // Closed first: undoing the row is no write of the row's.
    rowOpen_ = false;
    if (rowSavepoint_) {
        rowSavepoint_ = false;
        try {
            undoToSavepoint_.execute();
            releaseSavepoint_.execute();
        } catch (const DbError& e) {
            // The savepoint is gone with a broken transaction: nothing of the
            // batch can be trusted then.
            lookups.clear();
            rowsInBatch_ = 0;
            if (batchWatcher) batchWatcher->batchLost(e.what());
            if (cn.inTransaction()) cn.rollback();
            return;
        }
    }
    flushBatch();
}

void Session::flushBatch() {
    if (commitInterval_ <= 1 || rehearsing_ || !CnOrdelio.inTransaction()) return;
    rowOpen_ = false;
    rowSavepoint_ = false;
    rowsInBatch_ = 0;
    try {
        CnOrdelio.commit();
    } catch (const DbError& e) {
        // The batch is undone, and with it what its rows taught the lookups.
        lookups.clear();
        if (batchWatcher) batchWatcher->batchLost(e.what());
        throw;
    }
    if (batchWatcher) batchWatcher->batchCommitted();
}

void Session::LimpaTabela(const std::string& table) {
    RunGuarded(*this, W("Ocorreu um erro ao limpar a tabela ") + table + W(" no banco de dados do Ordelio.\rErro: "),
               [&] { ExecutaLimpeza(*this, "DELETE FROM " + table); });
}

void Session::switchTriggers(const char* state, const std::string& failureText) {
    const std::string ai0 = std::string("ALTER TRIGGER COMPCLIE_AI0 ") + state;
    const std::string au0 = std::string("ALTER TRIGGER COMPCLIE_AU0 ") + state;
    if (planning) {
        planning->push_back(OnTarget(ai0));
        planning->push_back(OnTarget(au0));
        return;
    }
    Statement st(CnOrdelio);
    try {
        AbreTransacao(CnOrdelio);
        st.setText(ai0);
        st.execute();
        st.setText(au0);
        st.execute();
        ConfirmaTransacao(CnOrdelio);
        flushBatch();
    } catch (const DbError& e) {
        warning(failureText + e.what());
        try {
            DesfazTransacao(CnOrdelio);
        } catch (const DbError&) {
        }
    }
}

void Session::DesativaTriggers() { switchTriggers("INACTIVE", W("Erro ao desativar as Triggers: ")); }
void Session::AtivaTriggers() { switchTriggers("ACTIVE", W("Erro ao ativar as Triggers: ")); }

// A plan is made in an instant and shows nothing.
void Session::setStatus(const std::string& text) {
    if (!planning) ui.setStatus(text);
}
void Session::processEvents() {
    if (!planning) ui.processEvents();
}

void Session::resetGauge(long long maximum) {
    gaugeMaximum_ = maximum < 0 ? 0 : maximum;
    gaugeProgress_ = 0;
    ui.setGauge(gaugeProgress_, gaugeMaximum_);
}

void Session::resetGaugeKeepingMaximum() {
    gaugeProgress_ = 0;
    ui.setGauge(gaugeProgress_, gaugeMaximum_);
}

void Session::stepGauge() {
    // Progress never leaves the gauge's range.
    if (gaugeProgress_ < gaugeMaximum_) ++gaugeProgress_;
    ui.setGauge(gaugeProgress_, gaugeMaximum_);
}

void Session::box(BoxKind kind, const std::string& caption, const std::string& text) {
    // Between a request to stop and the row boundary where the run sees it,
    // a failure is the stop's (a cancelled statement), not the row's.
    if (kind != BoxKind::Information && stop.pending()) return;
    if (kind != BoxKind::Information) ++summary.errorBoxes;
    if (ledger) ledger->message(kind, caption, text);
    ui.message(kind, caption, text);
}

void Session::error(const std::string& text) { box(BoxKind::Error, Caption(BoxKind::Error), text); }
void Session::warning(const std::string& text) { box(BoxKind::Warning, Caption(BoxKind::Warning), text); }
void Session::information(const std::string& text) { box(BoxKind::Information, Caption(BoxKind::Information), text); }

}  // namespace conversor
