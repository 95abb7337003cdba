#include "convert/catalogue/catalogue.h"

#include "db/session.h"

namespace conversor {

// Not converted yet.
void ConverteClasFisc(Session&) {}

}  // namespace conversor
