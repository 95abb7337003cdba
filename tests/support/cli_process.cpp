#include "support/cli_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <sstream>
#include <stdexcept>

extern char** environ;

namespace conversor::testing {

namespace fs = std::filesystem;

ChildProcess::ChildProcess(std::vector<std::string> argv, const fs::path& dir, const std::string& stdinPath) {
    // The process id keeps apart the files of test programs run side by side.
    static int serial = 0;
    const std::string stem =
        (dir / ("child" + std::to_string(getpid()) + "-" + std::to_string(++serial))).string();
    outFile_ = stem + ".out";
    errFile_ = stem + ".err";
    std::vector<char*> cargs;
    for (std::string& a : argv) cargs.push_back(a.data());
    cargs.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, stdinPath.c_str(), O_RDWR, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outFile_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, errFile_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int rc = posix_spawnp(&pid_, cargs[0], &actions, nullptr, cargs.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) throw std::runtime_error("cannot start " + argv[0]);
}

ChildProcess::~ChildProcess() {
    if (!done_ && pid_ > 0) {
        ::kill(pid_, SIGKILL);
        wait();
    }
    std::error_code ignored;
    fs::remove(outFile_, ignored);
    fs::remove(errFile_, ignored);
}

bool ChildProcess::running() {
    if (done_) return false;
    if (waitpid(pid_, &status_, WNOHANG) == pid_) done_ = true;
    return !done_;
}

bool ChildProcess::hasOpen(const std::string& path) const {
    std::error_code ec;
    const fs::path wanted = fs::canonical(path, ec);
    for (const auto& entry : fs::directory_iterator("/proc/" + std::to_string(pid_) + "/fd", ec)) {
        std::error_code ignored;
        if (fs::read_symlink(entry.path(), ignored) == wanted) return true;
    }
    return false;
}

bool ChildProcess::blocks(int signal) const {
    std::ifstream status("/proc/" + std::to_string(pid_) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("SigBlk:", 0) == 0) return (std::stoull(line.substr(7), nullptr, 16) >> (signal - 1)) & 1;
    return false;
}

void ChildProcess::kill(int signal) {
    if (!done_) ::kill(pid_, signal);
}

int ChildProcess::wait() {
    if (!done_) {
        while (waitpid(pid_, &status_, 0) < 0 && errno == EINTR) {
        }
        done_ = true;
    }
    if (WIFEXITED(status_)) return WEXITSTATUS(status_);
    if (WIFSIGNALED(status_)) return -WTERMSIG(status_);
    return -1000;
}

std::string ChildProcess::out() const { return ReadFile(outFile_); }
std::string ChildProcess::err() const { return ReadFile(errFile_); }

namespace {
std::vector<std::string> CliArgv(const std::vector<std::string>& args) {
    std::vector<std::string> argv{CLI_PATH};
    argv.insert(argv.end(), args.begin(), args.end());
    return argv;
}
}  // namespace

CliProcess::CliProcess(const TestDatabases& db, const std::vector<std::string>& args, const std::string& stdinPath)
    : ChildProcess(CliArgv(args), db.dir(), stdinPath) {}

CliResult RunCli(TestDatabases& db, const std::vector<std::string>& args) {
    db.closeConnections();
    CliProcess cli(db, args);
    const int status = cli.wait();
    return {status, cli.out(), cli.err()};
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

}  // namespace conversor::testing
