#include <array>

#include "convert/finance/finance.h"
#include "db/guarded.h"
#include "db/copy_loop.h"
#include "db/session.h"
#include "text/cp1252.h"
#include "text/text_ops.h"

namespace conversor {

namespace {

// Every column of a standard term with its SQL literal for "000" and "001".
struct TermColumn {
    const char* name;
    const char* cash;      // "000"
    const char* deferred;  // "001"
};

constexpr std::array<TermColumn, 53> kStandardTerms{{
    {"CODPRAZO", "'000'", "'001'"},
    {"DESCRICAO", "'À VISTA'", "'À PRAZO'"},
    {"PRAZO1", "0", "30"},
    {"PRAZO2", "0", "0"},
    {"PRAZO3", "0", "0"},
    {"PRAZO4", "0", "0"},
    {"PRAZO5", "0", "0"},
    {"PRAZO6", "0", "0"},
    {"PRAZO7", "0", "0"},
    {"PERCENT1", "0", "0"},
    {"PERCENT2", "0", "0"},
    {"PERCENT3", "0", "0"},
    {"PERCENT4", "0", "0"},
    {"PERCENT5", "0", "0"},
    {"PERCENT6", "0", "0"},
    {"PERCENT7", "0", "0"},
    {"TIPOPRAZO", "NULL", "NULL"},
    {"AUMENTOPRECO1", "0", "0"},
    {"GERARCXATOTAL", "NULL", "'N'"},
    {"DESCPRIVENC", "NULL", "''"},
    {"PRAZO8", "0", "0"},
    {"PRAZO9", "0", "0"},
    {"PRAZO10", "0", "0"},
    {"PRAZO11", "0", "0"},
    {"PRAZO12", "0", "0"},
    {"PRAZO13", "0", "0"},
    {"PERCENT8", "0", "0"},
    {"PERCENT9", "0", "0"},
    {"PERCENT10", "0", "0"},
    {"PERCENT11", "0", "0"},
    {"PERCENT12", "0", "0"},
    {"PERCENT13", "0", "0"},
    {"CODFORMA", "NULL", "''"},
    {"CARENCIA", "0", "0"},
    {"TIPOVENDA", "0", "1"},
    {"LIBCREDITO", "'N'", "'N'"},
    {"TXADMINISTRACAO", "NULL", "NULL"},
    {"MUDAPRAZOMEDIO", "'N'", "'N'"},
    {"TIPOINTEGRACAO", "0", "1"},
    {"DIASCOMPENSACAO", "0", "0"},
    {"GERALANCCH", "'N'", "'N'"},
    {"CODBANCO", "NULL", "NULL"},
    {"CODAGEN", "NULL", "NULL"},
    {"CONTA", "NULL", "NULL"},
    {"CONTACX", "NULL", "NULL"},
    {"UTILIZACONVENIO", "'N'", "'N'"},
    {"PERCAUTORIZADO", "0", "0"},
    {"PERCPERDA", "0", "0"},
    {"UTILIZADOEM", "NULL", "NULL"},
    {"TAXARENTABILIDADE", "0", "0"},
    {"TXEMISSAOBOLETO", "0", "0"},
    {"VENCERNODIA", "0", "0"},
    {"NUMPARCELAS", "0", "0"},
}};

// The insert of one standard term; the literals are Windows-1252 like every
// text the target receives.
std::string StandardTermInsert(const char* TermColumn::*value) {
    std::string columns, values;
    for (const TermColumn& c : kStandardTerms) {
        if (!columns.empty()) {
            columns += ", ";
            values += ", ";
        }
        columns += c.name;
        values += W(c.*value);
    }
    return "INSERT INTO CONDPAG (" + columns + ") VALUES (" + values + ")";
}

}  // namespace

void GravaPrazosPadrao(Session& s) {
    s.setStatus(W("Gravando Prazos de Pagamento Padrão..."));
    s.processEvents();
    RunGuarded(s, W("Ocorreu um erro ao gravar os prazos de pagamento padrão no banco de dados do Ordelio.\rErro: "), [&] {
        ExecutaNaTransacao(s, "DELETE FROM CONDPAG WHERE (CODPRAZO = \"000\" OR CODPRAZO = \"001\")");
        ExecutaNaTransacao(s, StandardTermInsert(&TermColumn::cash));
        ExecutaNaTransacao(s, StandardTermInsert(&TermColumn::deferred));
    });
}

void ConverteCondicoesPagamento(Session& s) {
    CopyLoop loop;
    loop.registry = "condicoespagamento";
    loop.statusText = W("Convertendo Condições de Pagamento...");
    loop.sourceSql =
        "SELECT PLANOPAGCONTADOR AS CODPRAZO, DESCPLANOPAG AS DESCRICAO, NUMPARCELAS FROM REP003 ORDER BY "
        "PLANOPAGCONTADOR";
    // The whole table, standard terms included: it ends up holding exactly the source's plans.
    loop.clearTables = {"CONDPAG"};
    loop.sourceKey = {"CODPRAZO", "DESCRICAO"};
    loop.targetTable = "CONDPAG";
    loop.insertSql =
        "INSERT INTO CONDPAG ( CODPRAZO, DESCRICAO, NUMPARCELAS) VALUES ( :CODPRAZO, :DESCRICAO, :NUMPARCELAS)";
    loop.bind = [](Statement& src, Statement& dst) {
        const std::string code = src.field("CODPRAZO").asText();
        // The plan number's leading digits make the code, unlike the catalogue codes.
        dst.param("CODPRAZO").setText(StrZero(First(code, 3), 3));
        dst.param("DESCRICAO").setFirst(src.field("DESCRICAO").asText(), 20);
        dst.param("NUMPARCELAS").setInt(src.field("NUMPARCELAS").asInt());
        return IsBlank(code) ? RowDecision::Skip(W("Condição de pagamento sem número")) : RowDecision::Write();
    };
    loop.rowName = [](Statement& src) {
        return W("Condição de Pagamento: ") + src.field("CODPRAZO").asText() + " - " +
               src.field("DESCRICAO").asText();
    };
    RunCopyLoop(s, loop);
}

}  // namespace conversor
