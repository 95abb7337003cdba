#include "convert/parties/parties.h"

#include "db/session.h"

namespace conversor {

// Not converted yet.
void ConverteVendedores(Session&) {}

}  // namespace conversor
