#include "db/guarded.h"

#include "db/error.h"
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

void ExecutaNaTransacao(Session& s, std::string_view sql, const std::function<void()>& bind) {
    Statement& q = s.QryOrdelio;
    s.AbreTransacao(s.CnOrdelio);
    q.clearText();
    q.setText(sql);
    if (bind) bind();
    q.execute();
    s.ConfirmaTransacao(s.CnOrdelio);
    q.close();
}

void ExecutaLimpeza(Session& s, std::string_view sql) {
    Statement& q = s.QryOrdelio;
    s.AbreTransacao(s.CnOrdelio);
    q.clearText();
    q.setText(sql);
    q.execute();
    s.ConfirmaSemContar(s.CnOrdelio);
    q.close();
}

void ExecutaConfirmado(Session& s, std::string_view sql, const std::function<void()>& bind) {
    ExecutaNaTransacao(s, sql, bind);
    s.flushBatch();
}

}  // namespace conversor
