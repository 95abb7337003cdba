#pragma once
// SIGINT, SIGTERM and SIGHUP as requests to stop the run. No signal handler
// runs at all: the signals are blocked in every thread, the client library's
// and the toolkit's among them (threads inherit the mask, so it is set before
// either starts any), and one watcher thread takes them with sigwait, passes
// the request to the run and cancels a statement that waits on a lock.
#include <atomic>
#include <functional>
#include <thread>

namespace conversor {
class StopRequest;
}

namespace conversor {

// First thing in main, before anything starts a thread.
void BlockStopSignals();

class StopSignalWatcher {
public:
    // received, if given, runs on the watcher's thread after each request
    // is made and before anything is cancelled (the window passes it on to
    // its own thread).
    explicit StopSignalWatcher(StopRequest& stop, std::function<void(int signal)> received = {});
    // Ends the watcher; nothing is cancelled after it.
    ~StopSignalWatcher();
    StopSignalWatcher(const StopSignalWatcher&) = delete;
    StopSignalWatcher& operator=(const StopSignalWatcher&) = delete;

private:
    void watch();

    StopRequest& stop_;
    std::function<void(int)> received_;
    std::atomic<bool> ending_{false};
    std::thread thread_;
};

// The status a shell expects of a program ended by that signal: 130 for
// SIGINT, 143 for SIGTERM, 129 for SIGHUP.
inline int ExitStatusForSignal(int signal) { return 128 + signal; }

}  // namespace conversor
