#pragma once
// Runs a definition script the way isql reads one: statements end with the
// current terminator (";" until a "SET TERM" changes it), "--" and "/* */"
// comments and quoted texts are respected. Each statement is committed on its
// own, since a definition is only usable once committed.
#include <string>
#include <string_view>
#include <vector>

namespace conversor {

class Connection;

std::vector<std::string> SplitScript(std::string_view script);
void RunScript(Connection& cn, std::string_view script);
void RunScriptFile(Connection& cn, const std::string& path);

// Creates a database file and runs a definition script on it.
void CreateDatabaseFromScript(const std::string& path, int dialect, const std::string& scriptPath,
                              bool forcedWrites = false);

}  // namespace conversor
