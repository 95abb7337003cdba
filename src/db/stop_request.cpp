#include "db/stop_request.h"

#include "db/firebird/connection.h"

namespace conversor {

void StopRequest::watch(Connection& cn) {
    std::lock_guard<std::mutex> lock(mutex_);
    connections_.push_back(&cn);
}

void StopRequest::request(int reason) {
    int none = 0;
    reason_.compare_exchange_strong(none, reason);
}

void StopRequest::rearm() {
    std::lock_guard<std::mutex> lock(mutex_);
    seen_ = false;
}

void StopRequest::acknowledge() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        seen_ = true;
    }
    seenChanged_.notify_all();
}

void StopRequest::cancelUntilSeen(std::chrono::milliseconds interval) {
    std::unique_lock<std::mutex> lock(mutex_);
    // The first wait gives the run the chance to stop between two rows
    // without any statement being cut short.
    while (requested() && !seenChanged_.wait_for(lock, interval, [this] { return seen_.load(); }))
        for (Connection* cn : connections_) cn->cancelRunning();
}

}  // namespace conversor
