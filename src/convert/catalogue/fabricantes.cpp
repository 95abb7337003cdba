#include "convert/catalogue/catalogue.h"

#include "db/copy_loop.h"
#include "db/session.h"
#include "text/text_ops.h"

namespace conversor {

// The source's brands become the target's manufacturers.
void ConverteFabricantes(Session& s) {
    CopyLoop loop;
    loop.registry = "fabricantes";
    loop.statusText = "Convertendo Fabricantes...";
    loop.sourceSql = "SELECT MARCACONTADOR AS CODFABRIC, DESCMARCA AS DESCRICAO FROM EST017";
    loop.clearTables = {"CADFABR"};
    loop.sourceKey = {"CODFABRIC"};
    loop.targetTable = "CADFABR";
    loop.insertSql = "INSERT INTO CADFABR ( CODFABRIC, DESCRICAO) VALUES ( :CODFABRIC, :DESCRICAO)";
    loop.bind = [](Statement& src, Statement& dst) {
        dst.param("CODFABRIC").setText(StrZero(src.field("CODFABRIC").asText(), 5));
        dst.param("DESCRICAO").setFirst(src.field("DESCRICAO").asText(), 30);
        return RowDecision::Write();
    };
    loop.rowName = NamedBy("Fabricante", "DESCRICAO");
    RunCopyLoop(s, loop);
}

}  // namespace conversor
