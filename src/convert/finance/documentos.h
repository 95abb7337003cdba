#pragma once
// What the payable and receivable document converters share.
#include <string>

#include "db/statement_plan.h"

namespace conversor {

class Session;

// Replaces the TIPODOC row of a default document type (a failing delete
// skips the insert); a failure shows failureText followed by the reason.
void GravaTipoDocPadrao(Session& s, const std::string& tipo, const std::string& descricao,
                        const std::string& failureText);

// The next value of G_NUMORD, the order number shared by payable and
// receivable documents, as its 12-character code. A value taken for a row
// that then fails is not given back.
std::string ProximoNumOrd(Session& s);
StatementPlan ProximoNumOrdStatements();

// Why a document whose status is not exactly "AB" (trailing blanks count) is
// left out: the status as read.
std::string SituacaoNaoAberta(const std::string& situacao);

}  // namespace conversor
