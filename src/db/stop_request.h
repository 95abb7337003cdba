#pragma once
// A request to stop a run, made from another thread (the command line's
// signal watcher). The run sees it at its next row boundary: the row in
// progress is undone, the rows committed before stay, and the run ends with
// the triggers switched back on. A statement that keeps the run from
// reaching that boundary (one waiting on a lock held by another user) is
// cancelled through the engine.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

namespace conversor {

class Connection;

class StopRequest {
public:
    // What the watched connections run is cancelled while a request waits
    // to be seen. They must outlive every call of cancelUntilSeen.
    void watch(Connection& cn);

    // Any thread, but not a signal handler. The first reason (a signal
    // number) is kept.
    void request(int reason);
    bool requested() const { return reason_.load() != 0; }
    int reason() const { return reason_.load(); }

    // The run's thread, as a run starts: what the run does may be cancelled
    // again, until it sees a request or reaches its end.
    void rearm();
    // The run's thread: nothing is cancelled from now on. Called when the
    // run has seen the request and before it switches the triggers back on;
    // waits for a cancel in flight.
    void acknowledge();
    // Requested and not yet seen: the row in progress is not to be
    // committed, and what fails now fails because of the stop.
    bool pending() const { return requested() && !seen_.load(); }

    // The watcher's thread, after a request: until the run has seen it,
    // cancels what the watched connections run, every interval. A statement
    // cancelled between two rows does no harm: the run stops there anyway.
    void cancelUntilSeen(std::chrono::milliseconds interval);

private:
    std::atomic<int> reason_{0};
    std::atomic<bool> seen_{false};
    std::mutex mutex_;
    std::condition_variable seenChanged_;
    std::vector<Connection*> connections_;
};

}  // namespace conversor
