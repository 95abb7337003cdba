#pragma once
// One conversion per target at a time. A run marks its target attachment
// with a session context variable and looks, through the engine's
// monitoring tables, for another attachment carrying the same mark: that is
// another conversion, on this machine or through the server, and this one
// must not write under the other's switched-off triggers. Other users of the
// database (isql, the target system) never carry the mark, and the mark dies
// with its attachment however the program ends.
#include <string>

namespace conversor {

class Connection;

class RunLock {
public:
    // Marks the attachment and looks for another run; DbError when the
    // engine cannot be asked. Two runs that mark at the same instant may both
    // refuse, but never both go on.
    explicit RunLock(Connection& target);
    ~RunLock();  // removes the mark
    RunLock(const RunLock&) = delete;
    RunLock& operator=(const RunLock&) = delete;

    bool held() const { return held_; }
    // The other run's process and address as the engine knows them (may be
    // empty for one in this process); set when not held.
    const std::string& otherRun() const { return otherRun_; }

private:
    void unmark() noexcept;

    Connection& target_;
    bool held_ = false;
    std::string otherRun_;
};

}  // namespace conversor
