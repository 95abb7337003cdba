#include "convert/finance/documentos.h"

#include "db/guarded.h"
#include "db/session.h"
#include "text/cp1252.h"
#include "text/text_ops.h"

namespace conversor {

namespace {
const char* const kNextNumOrd = "SELECT GEN_ID(G_NUMORD,1) AS NUMORD FROM RDB$DATABASE";
const char* const kCurrentNumOrd = "SELECT GEN_ID(G_NUMORD,0) AS NUMORD FROM RDB$DATABASE";

// A generator moves outside any transaction: a rehearsal reads where it
// stands once and counts on from there, as the run would take its values.
std::string NumOrdEnsaiado(Session& s) {
    if (!s.rehearsedNumOrd) {
        Statement& q = s.qryAuxOrdelio;
        q.close();
        q.setText(kCurrentNumOrd);
        q.open();
        s.rehearsedNumOrd = q.field("NUMORD").asInt();
        q.close();
    }
    return std::to_string(++*s.rehearsedNumOrd);
}
}  // namespace

StatementPlan ProximoNumOrdStatements() { return {OnTarget(kNextNumOrd)}; }

void GravaTipoDocPadrao(Session& s, const std::string& tipo, const std::string& descricao,
                        const std::string& failureText) {
    RunGuarded(s, failureText, [&] {
        ExecutaNaTransacao(s, "DELETE FROM TIPODOC WHERE TIPODOCTO = \"" + tipo + "\"");
        ExecutaNaTransacao(s, "INSERT INTO TIPODOC (TIPODOCTO, DESCTIPO) VALUES(\"" + tipo + "\",\"" + descricao + "\")");
    });
}

std::string SituacaoNaoAberta(const std::string& situacao) {
    return W("Situação \"") + situacao + W("\" não é \"AB\"");
}

std::string ProximoNumOrd(Session& s) {
    if (s.rehearsing()) return StrZero(NumOrdEnsaiado(s), 12);
    Statement& q = s.qryAuxOrdelio;
    q.close();
    q.setText(kNextNumOrd);
    q.open();
    const std::string value = q.field("NUMORD").asText();
    q.close();
    return StrZero(value, 12);
}

}  // namespace conversor
