#include "convert/finance/finance.h"
#include "db/copy_loop.h"
#include "db/session.h"
#include "text/cp1252.h"
#include "text/text_ops.h"

namespace conversor {

void ConverteTiposLancamento(Session& s) {
    CopyLoop loop;
    loop.registry = "tipolancamentos";
    loop.statusText = W("Convertendo Tipos de Lançamentos...");
    loop.sourceSql =
        "SELECT ESCONTADOR AS CODIGO, DESCES AS DESCRICAO, TIPOMOV AS TIPO, '0' AS TIPOINTEGRACXA, 'S' AS "
        "REPETIRNUMDOC FROM BNC005";
    loop.clearTables = {"TIPOLAN"};
    loop.sourceKey = {"CODIGO"};
    loop.targetTable = "TIPOLAN";
    loop.insertSql =
        "INSERT INTO TIPOLAN ( CODIGO, DESCRICAO, TIPO, TIPOINTEGRACXA, REPETIRNUMDOC) VALUES ( :CODIGO, "
        ":DESCRICAO, :TIPO, :TIPOINTEGRACXA, :REPETIRNUMDOC)";
    loop.bind = [](Statement& src, Statement& dst) {
        dst.param("CODIGO").setText(StrZero(src.field("CODIGO").asText(), 3));
        dst.param("DESCRICAO").setFirst(src.field("DESCRICAO").asText(), 30);
        dst.param("TIPO").setText(src.field("TIPO").asText());
        dst.param("TIPOINTEGRACXA").setText(src.field("TIPOINTEGRACXA").asText());
        dst.param("REPETIRNUMDOC").setText(src.field("REPETIRNUMDOC").asText());
        return RowDecision::Write();
    };
    loop.rowName = NamedBy(W("Tipo de Lançamento"), "DESCRICAO");
    RunCopyLoop(s, loop);
}

}  // namespace conversor
