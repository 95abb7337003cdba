#pragma once
// The product catalogue: one converter a file, each run by the conversion run
// when its registry is ticked.
#include <string>

#include "db/statement_plan.h"

namespace conversor {

class Session;

void ConverteGrupos(Session& s);
void ConverteSubgrupos(Session& s);
void ConverteClasFisc(Session& s);
void ConverteFabricantes(Session& s);
void ConverteProdutos(Session& s);

// Makes sure a unit of measure exists in UNIDADES, inside whatever transaction
// the target has open, and returns the code the product carries: the first 6
// characters upper-cased (a to z only). A failure only warns; the code is
// returned in every case.
std::string GravaUnidade(Session& s, const std::string& unit);
// The statements GravaUnidade runs.
StatementPlan GravaUnidadeStatements();

}  // namespace conversor
