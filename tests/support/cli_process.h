#pragma once
// Programs run by the tests as child processes: conversor-cli, and the
// engine's own tools. Standard output and error go to files (removed with the
// process object), so what a process printed can still be read after it was
// killed.
#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/fixture.h"

namespace conversor::testing {

class ChildProcess {
public:
    // argv[0] is the program's path. The output files are made in dir;
    // standard input is stdinPath (a terminal's, for the questions asked there).
    ChildProcess(std::vector<std::string> argv, const std::filesystem::path& dir,
                 const std::string& stdinPath = "/dev/null");
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool running();
    // Whether the process has that file open now.
    bool hasOpen(const std::string& path) const;
    // Whether its main thread holds that signal back now (to take it in its
    // own time).
    bool blocks(int signal) const;
    void kill(int signal);
    // Waits for the end; the exit status, or -signal when a signal ended it.
    int wait();
    std::string out() const;
    std::string err() const;

private:
    pid_t pid_ = -1;
    int status_ = 0;
    bool done_ = false;
    std::string outFile_, errFile_;
};

// conversor-cli with those arguments, its output in the test's folder.
class CliProcess : public ChildProcess {
public:
    CliProcess(const TestDatabases& db, const std::vector<std::string>& args, const std::string& stdinPath = "/dev/null");
};

// Runs the command line to its end (the test's connections closed first):
// {exit status, stdout, stderr}.
struct CliResult {
    int status;
    std::string out, err;
};
CliResult RunCli(TestDatabases& db, const std::vector<std::string>& args);

std::string ReadFile(const std::string& path);

}  // namespace conversor::testing
