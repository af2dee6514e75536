#pragma once

#include <signal.h>

#include <atomic>
#include <functional>
#include <thread>

namespace lumo::cli {

// While it lives, Ctrl-C (SIGINT) and SIGTERM do not end the program: they call
// `onSignal` (once per signal) from a thread of its own, so a transfer can stop
// between two blocks and close its port. Threads started meanwhile inherit the
// blocked signals. The signals' earlier handling returns when it is destroyed.
class SignalCancel {
public:
    explicit SignalCancel(std::function<void()> onSignal);
    ~SignalCancel();
    SignalCancel(const SignalCancel&) = delete;
    SignalCancel& operator=(const SignalCancel&) = delete;

    // Whether a signal has arrived.
    bool signalled() const { return signalled_; }

private:
    void watch();

    std::function<void()> onSignal_;
    sigset_t signals_{};
    sigset_t previousMask_{};
    int signalFd_ = -1;
    int stopFd_ = -1;
    std::atomic<bool> signalled_{false};
    std::thread watcher_;
};

}  // namespace lumo::cli
