#include "convert/finance/finance.h"

#include "db/session.h"

namespace conversor {

// Not converted yet.
void ConverteCondicoesPagamento(Session&) {}

void GravaPrazosPadrao(Session&) {}

}  // namespace conversor
