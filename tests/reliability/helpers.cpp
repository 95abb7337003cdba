#include "reliability/helpers.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "app/registries.h"

extern char** environ;

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
    FILE* p = popen((command + " 2>&1").c_str(), "r");
    if (!p) return {-1, "cannot run " + command};
    std::string out;
    char buf[4096];
    std::size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
    const int status = pclose(p);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
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

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// ------------------------------------------------------------- CliProcess

CliProcess::CliProcess(const TestDatabases& db, const std::vector<std::string>& args, const std::string& stdinPath) {
    static int serial = 0;
    const std::string stem = (db.dir() / ("cli" + std::to_string(++serial))).string();
    outFile_ = stem + ".out";
    errFile_ = stem + ".err";
    std::vector<std::string> argv{CLI_PATH};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<char*> cargs;
    for (std::string& a : argv) cargs.push_back(a.data());
    cargs.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, stdinPath.c_str(), O_RDWR, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outFile_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, errFile_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int rc = posix_spawn(&pid_, cargs[0], &actions, nullptr, cargs.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) throw std::runtime_error("cannot start " + argv[0]);
}

CliProcess::~CliProcess() {
    if (!done_ && pid_ > 0) {
        ::kill(pid_, SIGKILL);
        wait();
    }
}

bool CliProcess::running() {
    if (done_) return false;
    if (waitpid(pid_, &status_, WNOHANG) == pid_) done_ = true;
    return !done_;
}

bool CliProcess::hasOpen(const std::string& path) const {
    std::error_code ec;
    const fs::path wanted = fs::canonical(path, ec);
    for (const auto& entry : fs::directory_iterator("/proc/" + std::to_string(pid_) + "/fd", ec)) {
        std::error_code ignored;
        if (fs::read_symlink(entry.path(), ignored) == wanted) return true;
    }
    return false;
}

void CliProcess::kill(int signal) {
    if (!done_) ::kill(pid_, signal);
}

int CliProcess::wait() {
    if (!done_) {
        while (waitpid(pid_, &status_, 0) < 0 && errno == EINTR) {
        }
        done_ = true;
    }
    if (WIFEXITED(status_)) return WEXITSTATUS(status_);
    if (WIFSIGNALED(status_)) return -WTERMSIG(status_);
    return -1000;
}

std::string CliProcess::out() const { return ReadFile(outFile_); }
std::string CliProcess::err() const { return ReadFile(errFile_); }

CliResult RunCli(TestDatabases& db, const std::vector<std::string>& args) {
    db.closeConnections();
    CliProcess cli(db, args);
    const int status = cli.wait();
    return {status, cli.out(), cli.err()};
}

}  // namespace conversor::testing
