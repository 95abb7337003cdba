#include "convert/finance/finance.h"
#include "db/copy_loop.h"
#include "db/session.h"
#include "text/text_ops.h"

namespace conversor {

void ConverteBancos(Session& s) {
    CopyLoop loop;
    loop.registry = "bancos";
    loop.statusText = "Convertendo Bancos...";
    loop.sourceSql = "SELECT BCCONTADOR AS CODBANCO, DESCBANCO AS NOMEBANCO FROM BNC004";
    loop.clearTables = {"BANCOS"};
    loop.sourceKey = {"CODBANCO"};
    loop.targetTable = "BANCOS";
    loop.insertSql = "INSERT INTO BANCOS ( CODBANCO, NOMEBANCO) VALUES ( :CODBANCO, :NOMEBANCO)";
    loop.bind = [](Statement& src, Statement& dst) {
        dst.param("CODBANCO").setText(StrZero(src.field("CODBANCO").asText(), 4));
        dst.param("NOMEBANCO").setFirst(src.field("NOMEBANCO").asText(), 20);
        return RowDecision::Write();
    };
    loop.rowName = NamedBy("Banco", "NOMEBANCO");
    RunCopyLoop(s, loop);
}

}  // namespace conversor
