#include "convert/catalogue/catalogue.h"

#include "db/copy_loop.h"
#include "db/session.h"
#include "text/text_ops.h"

namespace conversor {

void ConverteGrupos(Session& s) {
    CopyLoop loop;
    loop.registry = "grupos";
    loop.statusText = "Convertendo Grupos de Produtos...";
    loop.sourceSql = "SELECT GRUPOCONTADOR AS CODGRUPO, DESCGRUPO AS DESCRICAO FROM EST002 ORDER BY GRUPOCONTADOR";
    loop.clearTables = {"GRUPROD"};
    loop.sourceKey = {"CODGRUPO"};
    loop.targetTable = "GRUPROD";
    loop.insertSql = "INSERT INTO GRUPROD ( CODGRUPO, DESCRICAO) VALUES ( :CODGRUPO, :DESCRICAO)";
    loop.bind = [](Statement& src, Statement& dst) {
        dst.param("CODGRUPO").setText(StrZero(src.field("CODGRUPO").asText(), 3));
        dst.param("DESCRICAO").setFirst(src.field("DESCRICAO").asText(), 30);
        return RowDecision::Write();
    };
    loop.rowName = NamedBy("Grupo", "DESCRICAO");
    RunCopyLoop(s, loop);
}

}  // namespace conversor
