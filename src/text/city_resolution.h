#pragma once
// The source names cities by a number into its own city table; the target
// has a city table of its own. These lookups bridge the two by name and
// state, appending to the target the cities it does not know yet.
#include <string>

#include "db/statement_plan.h"

namespace conversor {

class Session;

// Name of a source city, by source city code; empty when there is none.
std::string BuscaNomeCidadeTalvo(Session& s, const std::string& codigo);

// State of a source city of company 1, by source city code; empty when there
// is none.
std::string BuscaEstadoCidadeTalvo(Session& s, const std::string& codigo);

// Target city code for a name and state; a city the target lacks is appended
// inside the transaction the caller has open, and its new code returned.
std::string BuscaCodigoCidade(Session& s, const std::string& nome, const std::string& estado);

// The statements each of them runs.
StatementPlan NomeCidadeTalvoStatements();
StatementPlan EstadoCidadeTalvoStatements();
StatementPlan CodigoCidadeStatements();

}  // namespace conversor
