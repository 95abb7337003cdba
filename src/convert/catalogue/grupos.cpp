#include "convert/catalogue/catalogue.h"

#include "db/session.h"

namespace conversor {

// Not converted yet.
void ConverteGrupos(Session&) {}

}  // namespace conversor
