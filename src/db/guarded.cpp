#include "db/guarded.h"

#include "db/firebird/error.h"
#include "db/session.h"
#include "text/cp1252.h"

namespace conversor {

bool RunGuarded(Session& s, const std::string& failureText, const std::function<void()>& work) {
    try {
        work();
        return true;
    } catch (const DbError& e) {
        try {
            s.DesfazTransacao(s.CnOrdelio);
        } catch (const DbError&) {
            // The box below names the first failure, which is what matters.
        }
        s.error(failureText + e.what());
        return false;
    }
}

namespace {
// One statement on QryOrdelio between AbreTransacao and the given way of
// confirming it.
void executeOne(Session& s, std::string_view sql, const std::function<void()>& bind,
                void (Session::*confirm)(Connection&)) {
    if (s.planning) {
        s.planning->push_back(OnTarget(std::string(sql)));
        return;
    }
    Statement& q = s.QryOrdelio;
    s.AbreTransacao(s.CnOrdelio);
    q.clearText();
    q.setText(sql);
    if (bind) bind();
    s.executeLastWrite(q);
    (s.*confirm)(s.CnOrdelio);
    q.close();
}
}  // namespace

// In a batch it is one of the batch's writes: a commit of its own would cost
// the disk as much as a thousand rows, and nothing that follows needs it
// committed (every later statement runs in the same transaction).
void ExecutaNaTransacao(Session& s, std::string_view sql, const std::function<void()>& bind) {
    executeOne(s, sql, bind, &Session::ConfirmaTransacao);
}

void ExecutaLimpeza(Session& s, std::string_view sql) { executeOne(s, sql, {}, &Session::ConfirmaSemContar); }

void ExecutaDefinicao(Session& s, std::string_view sql) {
    if (!s.rehearsing()) {
        ExecutaNaTransacao(s, sql);
        s.flushBatch();
        return;
    }
    Statement st(s.CnOrdelio);
    st.setText(sql);
    st.prepare();
}

}  // namespace conversor
