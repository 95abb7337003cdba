#include "convert/finance/finance.h"

#include "db/session.h"

namespace conversor {

// Not converted yet.
void ConverteContas(Session&) {}

}  // namespace conversor
