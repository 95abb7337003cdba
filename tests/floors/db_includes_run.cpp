// Must not build: the database layer cannot see the run above it.
#include "app/run.h"
