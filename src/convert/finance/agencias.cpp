#include "convert/finance/cidade_por_nome.h"
#include "convert/finance/finance.h"
#include "db/copy_loop.h"
#include "db/session.h"
#include "text/cp1252.h"
#include "text/text_ops.h"

namespace conversor {

void ConverteAgencias(Session& s) {
    CopyLoop loop;
    loop.registry = "agencias";
    loop.statusText = W("Convertendo Agências...");
    loop.sourceSql = "SELECT BCCONTADOR AS CODBANCO, BCACONTADOR AS CODAGEN, CIDADE, NOME AS NOMEAGEN FROM BNC003";
    loop.clearTables = {"AGENCIA"};
    loop.sourceKey = {"CODBANCO", "CODAGEN"};
    loop.targetTable = "AGENCIA";
    loop.insertSql =
        "INSERT INTO AGENCIA ( CODBANCO, CODAGEN, CODCIDADE, NOMEAGEN) VALUES ( :CODBANCO, :CODAGEN, :CODCIDADE, "
        ":NOMEAGEN)";
    loop.bind = [&s](Statement& src, Statement& dst) {
        dst.param("CODBANCO").setText(StrZero(src.field("CODBANCO").asText(), 4));
        dst.param("CODAGEN").setText(StrZero(src.field("CODAGEN").asText(), 5));
        dst.param("CODCIDADE").setText(BuscaCodigoCidadePorNome(s, src.field("CIDADE").asText()));
        dst.param("NOMEAGEN").setFirst(src.field("NOMEAGEN").asText(), 20);
        return RowDecision::Write();
    };
    loop.rowName = NamedBy(W("Agência"), "NOMEAGEN");
    RunCopyLoop(s, loop);
}

}  // namespace conversor
