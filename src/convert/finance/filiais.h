#pragma once
// The start-up rows and counters a branch needs in the target, written by
// ConverteFiliais for every branch it converts. Each step reports its own
// failure in a box and returns normally.
#include <string>

#include "db/statement_plan.h"

namespace conversor {

class Session;

// Replaces the branch's SALDOST row: balance 0 dated today, flagged initial.
void GravaSaldoInicial(Session& s, const std::string& codigoFilial);
// Replaces the branch's NUMERNF row with three zero counters.
void GravaNumeracaoNF(Session& s, const std::string& codigoFilial);
// Clears the company code of the ADMIN user.
void AtualizaUsuarioAdmin(Session& s);
// The statements of the three steps above.
StatementPlan BranchStartStatements();
// Creates the quote and sale generators (GENORC/GENPDV + code) of every
// branch in FILIAIS that lacks them, started from the source's highest
// quote and sale numbers. Existing generators keep their values.
void GravaGenerators(Session& s);

}  // namespace conversor
