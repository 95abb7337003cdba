#include "convert/catalogue/catalogue.h"

#include "db/copy_loop.h"
#include "db/session.h"
#include "text/text_ops.h"

namespace conversor {

// A subgroup is written even when its group has no row in the source.
void ConverteSubgrupos(Session& s) {
    CopyLoop loop;
    loop.registry = "subgrupos";
    loop.statusText = "Convertendo Subgrupos de Produtos...";
    loop.sourceSql =
        "SELECT GRUPOCONTA AS CODGRUPO, SUBGCONTADOR AS CODSUBGRUPO, DESCSUBG AS DESCRICAO FROM EST003 "
        "ORDER BY SUBGCONTADOR";
    loop.clearTables = {"SUBGRUP"};
    loop.sourceKey = {"CODGRUPO", "CODSUBGRUPO"};
    loop.targetTable = "SUBGRUP";
    loop.insertSql =
        "INSERT INTO SUBGRUP ( CODGRUPO, CODSUBGRUPO, DESCRICAO) VALUES ( :CODGRUPO, :CODSUBGRUPO, :DESCRICAO)";
    loop.bind = [](Statement& src, Statement& dst) {
        dst.param("CODGRUPO").setText(StrZero(src.field("CODGRUPO").asText(), 3));
        dst.param("CODSUBGRUPO").setText(StrZero(src.field("CODSUBGRUPO").asText(), 3));
        dst.param("DESCRICAO").setFirst(src.field("DESCRICAO").asText(), 30);
        return RowDecision::Write();
    };
    loop.rowName = NamedBy("Subgrupo", "DESCRICAO");
    RunCopyLoop(s, loop);
}

}  // namespace conversor
