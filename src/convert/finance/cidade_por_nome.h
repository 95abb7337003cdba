#pragma once
#include <string>

#include "db/statement_plan.h"

namespace conversor {

class Session;

// The target's code of the city named exactly `cidade` (same letters and
// case, state not compared), or an empty text when the name is empty or no
// city has it. Nothing is created. Runs on qryAuxOrdelio, inside whatever
// transaction is open.
std::string BuscaCodigoCidadePorNome(Session& s, const std::string& cidade);
StatementPlan CodigoCidadePorNomeStatements();

}  // namespace conversor
