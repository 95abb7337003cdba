#pragma once
// An owned reference to one interface of the Firebird OO API: released (or
// disposed of) when the owner goes, moved but never copied. The calls that
// end an interface themselves when they succeed (commit, rollback, free,
// detach, close) are followed by forget(); when they throw, the interface is
// still there and the owner releases it.
#include <atomic>
#include <utility>

namespace conversor::fb {

// Interfaces owned right now, in this process: lets tests show that a
// failing call leaves none behind.
inline std::atomic<long>& LiveHandles() {
    static std::atomic<long> live{0};
    return live;
}

template <typename T>
class Ref {
public:
    Ref() = default;
    explicit Ref(T* p) : p_(p) {
        if (p_) ++LiveHandles();
    }
    ~Ref() { reset(); }
    Ref(Ref&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    Ref& operator=(Ref&& other) noexcept {
        if (this != &other) {
            reset();
            p_ = std::exchange(other.p_, nullptr);
        }
        return *this;
    }
    Ref(const Ref&) = delete;
    Ref& operator=(const Ref&) = delete;

    T* get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

    // Lets go of the interface without a word to the library.
    void reset() {
        if (!p_) return;
        T* p = std::exchange(p_, nullptr);
        --LiveHandles();
        if constexpr (requires { p->release(); }) p->release();
        else p->dispose();
    }
    // After a call that ended the interface itself.
    void forget() {
        if (p_) --LiveHandles();
        p_ = nullptr;
    }

private:
    T* p_ = nullptr;
};

}  // namespace conversor::fb
