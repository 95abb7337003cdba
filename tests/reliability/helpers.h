#pragma once
// Shared by the reliability tests: picking registries, reading whole
// databases for before/after comparisons, sharing files with the loopback
// server, and driving conversor-cli as a separate process.
#include <initializer_list>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "app/run.h"
#include "support/cli_process.h"
#include "support/fixture.h"

namespace conversor::testing {

Ticked Only(std::initializer_list<std::string_view> names);
Ticked All();

// "00" when both customer-complement triggers are active.
std::string TriggerStates(Connection& target);

// Every user table with all its rows (sorted, so the order of reading does
// not matter), for proving that a database did not change.
using Contents = std::map<std::string, Rows>;
Contents ReadContents(Connection& cn);

// Cities 1..count of company 1 in REP004, named "CIDADE <n>", state MG,
// written by one statement.
void FillCities(Connection& source, int count);

// The loopback server named by CONVERSOR_SERVER, or empty when none runs.
std::string ServerHost();

// Polls the target's monitoring tables until another attachment is seen
// running a statement with that text (it is then waiting on the lock): the
// evidence that the run is blocked, not merely slow.
bool SeenWaiting(const std::string& database, const std::string& fragment);

// A shell command run to its end: exit status (-1 when a signal ended it) and
// what it printed (standard output and error together).
struct ShellResult {
    int status;
    std::string output;
};
ShellResult RunShell(const std::string& command);

// The engine's own validation of every page and record, changing nothing:
// the lines that count errors. A kill that cuts an index page split can leave
// an orphan index page, which validation counts as a warning (space, not
// data); warnings are printed, not failed.
std::string ValidationErrors(const std::string& path);

}  // namespace conversor::testing
