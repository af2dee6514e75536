#include "cli/signal_cancel.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <system_error>

namespace lumo::cli {

SignalCancel::SignalCancel(std::function<void()> onSignal) : onSignal_(std::move(onSignal)) {
    sigemptyset(&signals_);
    sigaddset(&signals_, SIGINT);
    sigaddset(&signals_, SIGTERM);
    if (pthread_sigmask(SIG_BLOCK, &signals_, &previousMask_) != 0) {
        throw std::system_error(errno, std::generic_category(), "cannot block signals");
    }
    signalFd_ = signalfd(-1, &signals_, SFD_CLOEXEC);
    stopFd_ = eventfd(0, EFD_CLOEXEC);
    if (signalFd_ < 0 || stopFd_ < 0) {
        const int error = errno;
        if (signalFd_ >= 0) {
            close(signalFd_);
        }
        if (stopFd_ >= 0) {
            close(stopFd_);
        }
        pthread_sigmask(SIG_SETMASK, &previousMask_, nullptr);
        throw std::system_error(error, std::generic_category(), "cannot watch signals");
    }
    watcher_ = std::thread(&SignalCancel::watch, this);
}

SignalCancel::~SignalCancel() {
    const std::uint64_t one = 1;
    if (write(stopFd_, &one, sizeof one) < 0) {
        // The watcher also ends on the descriptor's closing below; nothing to add.
    }
    watcher_.join();
    close(signalFd_);
    close(stopFd_);
    pthread_sigmask(SIG_SETMASK, &previousMask_, nullptr);
}

void SignalCancel::watch() {
    pollfd watched[2] = {{signalFd_, POLLIN, 0}, {stopFd_, POLLIN, 0}};
    for (;;) {
        if (poll(watched, 2, -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            return;
        }
        if (watched[1].revents != 0) {
            return;
        }
        if ((watched[0].revents & POLLIN) != 0) {
            signalfd_siginfo info{};
            if (read(signalFd_, &info, sizeof info) == static_cast<ssize_t>(sizeof info)) {
                signalled_ = true;
                if (onSignal_) {
                    onSignal_();
                }
            }
        }
    }
}

}  // namespace lumo::cli
