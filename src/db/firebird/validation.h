#pragma once
// The engine's own validation of a database, through its service manager:
// the pages and records of every table read and checked as the engine
// stores them, so that a damaged page is found before a run reads around
// it. It is the online validation, which also runs while the database is
// open elsewhere (a store still using it, this program's own attachment),
// and it changes nothing.
#include <string>
#include <vector>

#include "db/firebird/connection.h"

namespace conversor {

// The service manager and the file to name to it: "service_mgr" and the
// path itself for a local path (the embedded engine), "host:service_mgr" and
// the path on the server for "host:path".
struct ServiceAddress {
    std::string service;
    std::string database;
};
ServiceAddress ServiceFor(const std::string& database);

// The lines of the validation's report that tell of errors or warnings,
// without their time stamps; none when the database is sound. A DbError
// with the server's text when the validation cannot be run.
std::vector<std::string> ValidateDatabase(const std::string& database, const ConnectionOptions& options);

}  // namespace conversor
