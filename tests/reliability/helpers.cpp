#include "reliability/helpers.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "app/registries.h"

namespace conversor::testing {

namespace fs = std::filesystem;

Ticked Only(std::initializer_list<std::string_view> names) {
    Ticked t{};
    for (std::string_view n : names) {
        const Registry* r = FindRegistry(n);
        if (!r) throw std::invalid_argument("no registry " + std::string(n));
        t[static_cast<std::size_t>(r - Registries().data())] = true;
    }
    return t;
}

Ticked All() {
    Ticked t;
    t.fill(true);
    return t;
}

std::string TriggerStates(Connection& target) {
    Rows r = ReadRows(target, "SELECT LIST(RDB$TRIGGER_INACTIVE, '') FROM RDB$TRIGGERS "
                              "WHERE RDB$TRIGGER_NAME IN ('COMPCLIE_AI0', 'COMPCLIE_AU0')");
    return r.empty() ? std::string() : r[0][0];
}

Contents ReadContents(Connection& cn) {
    Contents out;
    for (const auto& row : ReadRows(cn, "SELECT TRIM(RDB$RELATION_NAME) FROM RDB$RELATIONS "
                                        "WHERE COALESCE(RDB$SYSTEM_FLAG, 0) = 0 AND RDB$VIEW_BLR IS NULL")) {
        Rows rows = ReadRows(cn, "SELECT * FROM " + row[0]);
        std::sort(rows.begin(), rows.end());
        out["table " + row[0]] = rows;
    }
    for (const auto& row : ReadRows(cn, "SELECT TRIM(RDB$GENERATOR_NAME) FROM RDB$GENERATORS "
                                        "WHERE COALESCE(RDB$SYSTEM_FLAG, 0) = 0"))
        out["generator " + row[0]] = ReadRows(cn, "SELECT GEN_ID(" + row[0] + ", 0) FROM RDB$DATABASE");
    out["triggers"] = ReadRows(cn, "SELECT TRIM(RDB$TRIGGER_NAME), RDB$TRIGGER_INACTIVE FROM RDB$TRIGGERS "
                                   "WHERE COALESCE(RDB$SYSTEM_FLAG, 0) = 0 ORDER BY 1");
    return out;
}

void FillCities(Connection& source, int count) {
    // The five digits of each number from five cross-joined tables of ten
    // digits; numbers above count are filtered out.
    std::string digits = "(SELECT 0 AS D FROM RDB$DATABASE";
    for (int d = 1; d <= 9; ++d) digits += " UNION ALL SELECT " + std::to_string(d) + " FROM RDB$DATABASE";
    digits += ")";
    source.executeImmediate(
        "INSERT INTO REP004 (EMPRESA, CIDCONTADOR, DESCCID, UFCID) SELECT 1, N, 'CIDADE ' || N, 'MG' FROM "
        "(SELECT A.D * 10000 + B.D * 1000 + C.D * 100 + E.D * 10 + F.D + 1 AS N FROM " +
        digits + " A CROSS JOIN " + digits + " B CROSS JOIN " + digits + " C CROSS JOIN " + digits +
        " E CROSS JOIN " + digits + " F) WHERE N <= " + std::to_string(count));
}

std::string ServerHost() {
    const char* host = std::getenv("CONVERSOR_SERVER");
    return host ? host : "";
}

bool SeenWaiting(const std::string& database, const std::string& fragment) {
    auto monitor = OpenDatabase(database, 1);
    const std::string sql = "SELECT COUNT(*) FROM MON$STATEMENTS WHERE MON$STATE = 1 "
                            "AND MON$ATTACHMENT_ID <> CURRENT_CONNECTION AND MON$SQL_TEXT CONTAINING '" +
                            fragment + "'";
    for (int i = 0; i < 1200; ++i) {  // at most a minute
        if (ReadRows(*monitor, sql)[0][0] != "0") return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

ShellResult RunShell(const std::string& command) {
    ChildProcess shell({"/bin/sh", "-c", command + " 2>&1"}, fs::temp_directory_path());
    const int status = shell.wait();
    return {status >= 0 ? status : -1, shell.out()};
}

std::string ValidationErrors(const std::string& path) {
    const ShellResult gfix = RunShell("gfix -v -full -n -user SYSDBA -password quendalor " + path);
    if (!gfix.output.empty()) std::printf("gfix: %s", gfix.output.c_str());
    std::string errors;
    std::istringstream lines(gfix.output);
    for (std::string line; std::getline(lines, line);)
        if (line.find("Number of") != std::string::npos && line.find("warnings") == std::string::npos) errors += line + "\n";
    if (gfix.status != 0) errors += "gfix exit status " + std::to_string(gfix.status);
    return errors;
}

}  // namespace conversor::testing
