#include "convert/catalogue/catalogue.h"

#include "db/firebird/error.h"
#include "db/session.h"
#include "text/text_ops.h"

namespace conversor {

namespace {
const char* const kFindUnit = "Select UNIDADE from UNIDADES Where UNIDADE = :PUNIDADE";
const char* const kAddUnit = "Insert Into UNIDADES (UNIDADE) Values(:PUNIDADE)";
}  // namespace

StatementPlan GravaUnidadeStatements() { return {OnTarget(kFindUnit), OnTarget(kAddUnit)}; }

std::string GravaUnidade(Session& s, const std::string& unit) {
    const std::string code = UpperAscii(First(unit, 6));
    if (s.lookups.units.find(code)) return code;
    Statement& q = s.qryAuxOrdelio;
    try {
        q.setText(kFindUnit);
        q.param("PUNIDADE").setText(code);
        q.open();
        if (q.isEmpty()) {
            q.close();
            // No transaction of its own: the unit is committed or undone with
            // the product that needs it.
            q.setText(kAddUnit);
            q.param("PUNIDADE").setText(code);
            q.execute();
        }
        s.lookups.units.remember(code, {});
    } catch (const DbError&) {
        s.warning("Erro ao converter Unidade.");
    }
    return code;
}

}  // namespace conversor
