#include "db/session.h"

#include "db/error.h"
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
}

bool Session::connect(Connection& cn, const std::string& path, const std::string& failureText) {
    try {
        cn.close();
        cn.setDatabase(path);
        cn.open();
        return true;
    } catch (const DbError& e) {
        box(BoxKind::Exclamation, W("Informação"), failureText + e.what());
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
    if (!rowSavepoint_) {
        savepoint_.execute();
        rowSavepoint_ = true;
    }
}

void Session::ConfirmaTransacao(Connection& cn) {
    if (!batched(*this, cn)) {
        if (cn.inTransaction()) cn.commit();
        if (&cn == &CnOrdelio) lookups.rowDone();
        return;
    }
    if (!rowSavepoint_) return;
    // The savepoint is not released here: the next row's savepoint of the
    // same name replaces it, which saves a statement per row.
    rowSavepoint_ = false;
    lookups.rowDone();
    if (++rowsInBatch_ >= commitInterval_) flushBatch();
}

void Session::ConfirmaSemContar(Connection& cn) {
    if (!batched(*this, cn)) {
        ConfirmaTransacao(cn);
        return;
    }
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
    if (rowSavepoint_) {
        rowSavepoint_ = false;
        try {
            undoToSavepoint_.execute();
            releaseSavepoint_.execute();
        } catch (const DbError&) {
            // The savepoint is gone with a broken transaction: nothing of the
            // batch can be trusted then.
            lookups.clear();
            if (cn.inTransaction()) cn.rollback();
            rowsInBatch_ = 0;
            return;
        }
    }
    flushBatch();
}

void Session::flushBatch() {
    if (commitInterval_ <= 1 || rehearsing_ || !CnOrdelio.inTransaction()) return;
    rowSavepoint_ = false;
    rowsInBatch_ = 0;
    try {
        CnOrdelio.commit();
    } catch (const DbError&) {
        // The batch is undone, and with it what its rows taught the lookups.
        lookups.clear();
        throw;
    }
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
    if (kind != BoxKind::Information) ++summary.errorBoxes;
    ui.message(kind, caption, text);
}

void Session::error(const std::string& text) { box(BoxKind::Error, "Erro", text); }
void Session::warning(const std::string& text) { box(BoxKind::Warning, "Alerta", text); }
void Session::information(const std::string& text) { box(BoxKind::Information, W("Informação"), text); }

}  // namespace conversor
