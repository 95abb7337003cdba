#include "app/stop_signals.h"

#include <pthread.h>
#include <signal.h>

#include <chrono>
#include <utility>

#include "db/stop_request.h"

namespace conversor {

namespace {
sigset_t stopSignals() {
    sigset_t set;
    sigemptyset(&set);
    for (int s : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&set, s);
    return set;
}

// A statement still running this long after the request keeps the run
// from its next row boundary (a lock held by another user, as a rule).
constexpr std::chrono::milliseconds kCancelAfter{200};
}  // namespace

void BlockStopSignals() {
    const sigset_t set = stopSignals();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

StopSignalWatcher::StopSignalWatcher(StopRequest& stop, std::function<void(int)> received)
    : stop_(stop), received_(std::move(received)), thread_([this] { watch(); }) {}

StopSignalWatcher::~StopSignalWatcher() {
    ending_ = true;
    stop_.acknowledge();
    // Wakes the watcher's sigwait; the signal is directed at that thread
    // alone and is taken by it, not acted on.
    pthread_kill(thread_.native_handle(), SIGTERM);
    thread_.join();
}

void StopSignalWatcher::watch() {
    const sigset_t set = stopSignals();
    for (;;) {
        int signal = 0;
        if (sigwait(&set, &signal) != 0) continue;
        if (ending_) return;
        stop_.request(signal);
        if (received_) received_(signal);
        stop_.cancelUntilSeen(kCancelAfter);
    }
}

}  // namespace conversor
