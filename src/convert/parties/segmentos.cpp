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
    loop.sourceSql = "SELECT RAMOATIVIDADE AS DESCRICAO FROM CR002 ORDER BY CLICONTADOR";
    loop.clearTables = {"CADSEGM"};
    loop.targetTable = "CADSEGM";
    loop.insertSql =
        "INSERT INTO CADSEGM ( CODSEGMENTO, DESCRICAO, RETEMPISCOFINS) VALUES ( :CODSEGMENTO, :DESCRICAO, "
        ":RETEMPISCOFINS)";
    // A blank row neither writes nor commits: its transaction carries over to
    // the next row.
    loop.conditionCoversCommit = true;
    loop.bind = [&](Statement& src, Statement& dst) {
        const std::string descricao = src.field("DESCRICAO").asText();
        escrito = !IsBlank(descricao);
        if (!escrito) return false;
        dst.param("CODSEGMENTO").setText(StrZero(std::to_string(contador), 3));
        dst.param("DESCRICAO").setText(First(descricao, 20));
        dst.param("RETEMPISCOFINS").setText("N");
        return true;
    };
    // The counter moves only once the segment is committed.
    loop.afterRow = [&](Statement&) {
        if (escrito) ++contador;
    };
    loop.errorLabel = "Segmento";
    loop.errorValue = [&](Statement&) { return std::to_string(contador); };
    RunCopyLoop(s, loop);
}

}  // namespace conversor
