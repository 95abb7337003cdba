#include "convert/finance/filiais.h"
#include "db/guarded.h"
#include "db/firebird/date_time.h"
#include "db/session.h"
#include "text/cp1252.h"

namespace conversor {

namespace {
const char* const kClearBalance = "DELETE FROM SALDOST WHERE CODEMPRESA = :CODEMPRESA";
const char* const kInitialBalance =
    "INSERT INTO SALDOST (CODEMPRESA, DATASALDO, DATASDINICIAL, SALDO, SALDOINICIAL)VALUES "
    "(:CODEMPRESA, :DATASALDO, :DATASDINICIAL, 0, :SALDOINICIAL);";
const char* const kClearNumbering = "DELETE FROM NUMERNF WHERE CODEMPRESA = :CODEMPRESA;";
const char* const kNumbering = "INSERT INTO NUMERNF (CODEMPRESA, NUMNF, NUMNFD, NUMNFA) VALUES (:CODEMPRESA, 0, 0, 0);";
const char* const kAdminUser = "UPDATE CADUSUA SET CODEMPRESA = \"\" WHERE USUARIO = \"ADMIN\"";
}  // namespace

StatementPlan BranchStartStatements() {
    return {OnTarget(kClearBalance), OnTarget(kInitialBalance), OnTarget(kClearNumbering), OnTarget(kNumbering),
            OnTarget(kAdminUser)};
}

void GravaSaldoInicial(Session& s, const std::string& codigo) {
    Statement& q = s.QryOrdelio;
    const std::string suffix = W(" no banco de dados do Ordelio.") + "\r" + W("Erro: ");
    // The insert is tried even when the old balance could not be removed.
    RunGuarded(s, W("Ocorreu um erro ao limpar os saldos da filial ") + codigo + suffix, [&] {
        ExecutaNaTransacao(s, kClearBalance, [&] { q.param("CODEMPRESA").setText(codigo); });
    });
    RunGuarded(s, W("Ocorreu um erro ao gravar o saldo inicial da filial ") + codigo + suffix, [&] {
        ExecutaNaTransacao(s, kInitialBalance, [&] {
            const DateTime today = DateTime::Today();
            q.param("CODEMPRESA").setText(codigo);
            q.param("DATASALDO").setDate(today);
            q.param("DATASDINICIAL").setDate(today);
            q.param("SALDOINICIAL").setText("S");
        });
    });
}

void GravaNumeracaoNF(Session& s, const std::string& codigo) {
    Statement& q = s.QryOrdelio;
    RunGuarded(s,
               W("Ocorreu um erro ao gravar o numero inicial de Nf na tabela NUMERNF no banco de dados do "
                 "Ordelio.\rErro: "),
               [&] {
                   ExecutaNaTransacao(s, kClearNumbering, [&] { q.param("CODEMPRESA").setText(codigo); });
                   ExecutaNaTransacao(s, kNumbering, [&] { q.param("CODEMPRESA").setText(codigo); });
               });
}

void AtualizaUsuarioAdmin(Session& s) {
    RunGuarded(s, W("Ocorreu um erro ao atualizar o cadastro do usuário ADMIN no banco de dados do Ordelio.\rErro: "),
               [&] { ExecutaNaTransacao(s, kAdminUser); });
}

}  // namespace conversor
