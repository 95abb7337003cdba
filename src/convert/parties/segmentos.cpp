#include "convert/parties/parties.h"
#include "db/copy_loop.h"
#include "db/session.h"
#include "text/text_ops.h"

namespace conversor {

void ConverteSegmentos(Session& s) {
    // Segments are numbered in the order they are written; blank activity
    // texts take no number.
    long long contador = 1;
    bool escrito = false;

    CopyLoop loop;
    loop.registry = "segmentos";
    loop.statusText = "Convertendo Segmentos...";
    // The customer's company and number only name a row left out.
    loop.sourceSql = "SELECT RAMOATIVIDADE AS DESCRICAO, EMPRESA, CLICONTADOR FROM CR002 ORDER BY CLICONTADOR";
    loop.sourceKey = {"EMPRESA", "CLICONTADOR"};
    loop.clearTables = {"CADSEGM"};
    loop.targetTable = "CADSEGM";
    loop.insertSql =
        "INSERT INTO CADSEGM ( CODSEGMENTO, DESCRICAO, RETEMPISCOFINS) VALUES ( :CODSEGMENTO, :DESCRICAO, "
        ":RETEMPISCOFINS)";
    loop.bind = [&](Statement& src, Statement& dst) {
        const std::string descricao = src.field("DESCRICAO").asText();
        escrito = !IsBlank(descricao);
        // A blank row neither writes nor commits: its transaction carries over
        // to the next row.
        if (!escrito) return RowDecision::SkipKeepingTransaction("Ramo de atividade em branco");
        dst.param("CODSEGMENTO").setText(StrZero(std::to_string(contador), 3));
        dst.param("DESCRICAO").setFirst(descricao, 20);
        dst.param("RETEMPISCOFINS").setText("N");
        return RowDecision::Write();
    };
    // The counter moves only once the segment is committed.
    loop.afterRow = [&](Statement&) {
        if (escrito) ++contador;
    };
    loop.rowName = [&](Statement&) { return "Segmento: " + std::to_string(contador); };
    RunCopyLoop(s, loop);
}

}  // namespace conversor
