#include "convert/catalogue/catalogue.h"

#include "db/copy_loop.h"
#include "db/session.h"
#include "text/cp1252.h"
#include "text/text_ops.h"

namespace conversor {

namespace {
const char* const kHighestClass = "SELECT MAX(CODCLASFIS) AS CODCLASFIS FROM CLASFISC";

// The next class number follows the highest code the table holds, read before
// the row's transaction; each class is committed before the next is numbered.
long long NextClassNumber(Session& s) {
    Statement& q = s.qryAuxOrdelio;
    q.close();
    q.setText(kHighestClass);
    q.open();
    const std::string highest = q.field("CODCLASFIS").asText();
    const long long next = highest.empty() ? 1 : q.field("CODCLASFIS").asInt() + 1;
    q.close();
    return next;
}
}  // namespace

// One class per distinct goods code of the source products, numbered here.
void ConverteClasFisc(Session& s) {
    long long number = 0;

    CopyLoop loop;
    loop.registry = "clasfisc";
    loop.statusText = W("Convertendo Classificações Fiscais...");
    loop.sourceSql = "SELECT NCM FROM EST004 WHERE NCM IS NOT NULL GROUP BY NCM";
    loop.clearTables = {"CLASFISC"};
    loop.clearBeforeSource = true;
    loop.sourceKey = {"NCM"};
    loop.targetTable = "CLASFISC";
    loop.insertSql =
        "INSERT INTO CLASFISC (CODCLASFIS,CODNBM,CODIGONCM)VALUES (:CODCLASFIS,:CODNBM,:CODIGONCM)";
    loop.beforeRow = [&](Statement&) { number = NextClassNumber(s); };
    loop.bind = [&](Statement& src, Statement& dst) {
        dst.param("CODCLASFIS").setText(StrZero(std::to_string(number), 4));
        dst.param("CODNBM").setFirst(src.field("NCM").asText(), 8);
        dst.param("CODIGONCM").setFirst(src.field("NCM").asText(), 8);
        return RowDecision::Write();
    };
    loop.alsoRuns = {OnTarget(kHighestClass)};
    loop.rowName = NamedBy("NCM", "NCM");
    RunCopyLoop(s, loop);
}

}  // namespace conversor
