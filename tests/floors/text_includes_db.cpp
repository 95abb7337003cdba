// Must not build: the text operations cannot see the database layer.
#include "db/session.h"
