#include "sim/radio_server.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <thread>

namespace tarnsim {

RadioServer::RadioServer(TarnRadio& radio, bool pace) : radio_(&radio), pace_(pace) {}

void RadioServer::swapRadio(TarnRadio* next, std::chrono::milliseconds gap) {
    radio_ = nullptr;
    waiting_ = next;
    plugInAt_ = TarnRadio::Clock::now() + gap;
    plugInWhenDue();
}

void RadioServer::plugInWhenDue() {
    if (plugInAt_ && TarnRadio::Clock::now() >= *plugInAt_) {
        radio_ = waiting_;
        waiting_ = nullptr;
        plugInAt_.reset();
    }
}

int RadioServer::msUntilPlugIn() const {
    if (!plugInAt_ || waiting_ == nullptr) {
        return -1;
    }
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(*plugInAt_ -
                                                                   TarnRadio::Clock::now());
    return static_cast<int>(std::max<std::chrono::milliseconds::rep>(left.count(), 0));
}

RadioServer::Ended RadioServer::serve(int stopFd, int swapFd, const std::function<void()>& onSwap) {
    stopFd_ = stopFd;
    std::uint8_t buffer[512];
    while (!hungUp_ && !stopped_) {
        pollfd fds[3] = {{line_.master(), POLLIN, 0}, {stopFd, POLLIN, 0}, {swapFd, POLLIN, 0}};
        const int ready = poll(fds, swapFd >= 0 ? 3 : 2, msUntilPlugIn());
        if (ready < 0) {
            if (errno == EINTR) {
                continue;
            }
            return Ended::Stopped;
        }
        if ((fds[1].revents & (POLLIN | POLLHUP)) != 0) {
            return Ended::Stopped;
        }
        plugInWhenDue();
        if (swapFd >= 0 && (fds[2].revents & POLLIN) != 0 && onSwap) {
            onSwap();
        }
        if ((fds[0].revents & POLLIN) != 0) {
            const ssize_t n = read(line_.master(), buffer, sizeof buffer);
            if (n > 0) {
                handleInput(buffer, static_cast<std::size_t>(n));
            }
        }
    }
    return hungUp_ ? Ended::HungUp : Ended::Stopped;
}

bool RadioServer::waitUntil(TarnRadio::Clock::time_point when) {
    for (;;) {
        pollfd stop{stopFd_, POLLIN, 0};
        if (poll(&stop, 1, 0) > 0) {
            stopped_ = true;
            return false;
        }
        const auto left = when - TarnRadio::Clock::now();
        if (left <= TarnRadio::Clock::duration::zero()) {
            return true;
        }
        // Sleep in small steps so a stop request is seen soon.
        std::this_thread::sleep_for(std::min<TarnRadio::Clock::duration>(left, std::chrono::milliseconds(5)));
    }
}

void RadioServer::handleInput(const std::uint8_t* data, std::size_t size) {
    // With no radio at the end of the cable, nobody hears the bytes.
    for (std::size_t i = 0; i < size && !hungUp_ && !stopped_ && radio_ != nullptr; ++i) {
        auto now = TarnRadio::Clock::now();
        if (pace_) {
            // A byte is complete only one byte time after the previous one was.
            inputFreeAt_ = std::max(now, inputFreeAt_) + kByteTime;
            if (!waitUntil(inputFreeAt_)) {
                return;
            }
            now = inputFreeAt_;
        }
        TarnRadio::Reply reply = radio_->receive(data[i], now);
        if (reply.hangUp) {
            line_.hangUp();
            hungUp_ = true;
            return;
        }
        send(reply.bytes);
    }
}

void RadioServer::send(const std::vector<std::uint8_t>& bytes) {
    if (bytes.empty()) {
        return;
    }
    if (!pace_) {
        // The radio talks whether anyone listens: a full line drops bytes.
        (void)!write(line_.master(), bytes.data(), bytes.size());
        return;
    }
    auto slot = TarnRadio::Clock::now();
    for (const std::uint8_t byte : bytes) {
        slot += kByteTime;
        if (!waitUntil(slot)) {
            return;
        }
        (void)!write(line_.master(), &byte, 1);
    }
}

}  // namespace tarnsim
