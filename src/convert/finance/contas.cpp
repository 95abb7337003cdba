#include "convert/finance/finance.h"
#include "db/copy_loop.h"
#include "db/session.h"
#include "text/text_ops.h"

namespace conversor {

void ConverteContas(Session& s) {
    CopyLoop loop;
    loop.registry = "contas";
    loop.statusText = "Convertendo Contas...";
    // An account is taken once for every agency of its company with its agency number.
    loop.sourceSql =
        "SELECT BNC003.BCCONTADOR AS CODBANCO, BNC002.BCACONTADOR AS CODAGEN, NUMERO || ' - ' || DESCABREV AS "
        "CONTA, BNC002.EMPRESA AS CODEMPRESA FROM BNC002 INNER JOIN BNC003 ON BNC002.BCACONTADOR = "
        "BNC003.BCACONTADOR AND BNC002.EMPRESA = BNC003.EMPRESA";
    loop.clearTables = {"CONTAS"};
    loop.sourceKey = {"CODEMPRESA", "CODBANCO", "CODAGEN", "CONTA"};
    loop.targetTable = "CONTAS";
    loop.insertSql =
        "INSERT INTO CONTAS ( CODBANCO, CODAGEN, CONTA, CODEMPRESA) VALUES ( :CODBANCO, :CODAGEN, :CONTA, "
        ":CODEMPRESA)";
    loop.bind = [](Statement& src, Statement& dst) {
        dst.param("CODBANCO").setText(StrZero(src.field("CODBANCO").asText(), 4));
        dst.param("CODAGEN").setText(StrZero(src.field("CODAGEN").asText(), 5));
        dst.param("CONTA").setFirst(src.field("CONTA").asText(), 15);
        dst.param("CODEMPRESA").setText(StrZero(src.field("CODEMPRESA").asText(), 2));
        return RowDecision::Write();
    };
    // The account alone is ambiguous across banks: the box names both.
    loop.rowName = [](Statement& src) {
        return "Conta: " + src.field("CONTA").asText() + "\rBanco: " + StrZero(src.field("CODBANCO").asText(), 4);
    };
    RunCopyLoop(s, loop);
}

}  // namespace conversor
