#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <random>
#include <span>
#include <vector>

#include "sim/sim_fault.h"

namespace tarnsim {

// The radio's side of the protocol, fed one received byte at a time. It answers the
// hello with 0x06, the start byte with its identity, an acknowledgement with 0x06, a
// read block "R hi lo n" with 4 header bytes and n memory bytes, and a write block
// "W hi lo n" + n bytes with 0x06.
class TarnRadio {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::size_t kMemorySize = 0x10000;

    struct Options {
        int bootHellos = 0;  // hellos ignored while the radio boots
        std::vector<SimFault> faults;
        std::uint32_t seed = 0x7A23;  // for the meaningless read-reply header bytes
    };

    struct Reply {
        std::vector<std::uint8_t> bytes;
        bool hangUp = false;
    };

    explicit TarnRadio(Options options);

    Reply receive(std::uint8_t byte, Clock::time_point now);

    // Fills memory from address 0 with `image`; the rest reads 0xFF.
    void loadMemory(std::span<const std::uint8_t> image);
    std::vector<std::uint8_t> memory() const;
    int sessionsHeard() const;

private:
    enum class State { Idle, AwaitStart, Session };

    bool helloJustHeard();
    // How many of the last bytes heard are the start of a hello.
    std::size_t helloPrefixHeard() const;
    Reply startSession();
    Reply sessionByte(std::uint8_t byte);
    Reply exchangeReply(std::vector<std::uint8_t> reply);
    const SimFault* faultAt(SimFault::Kind kind, int exchange) const;
    // Whether a write to `address` stores a wrong byte.
    bool corrupts(std::size_t address) const;
    bool hasSessionFault(SimFault::Kind kind) const;

    Options options_;
    mutable std::mutex memoryMutex_;
    std::vector<std::uint8_t> memory_;
    std::minstd_rand headerNoise_;

    State state_ = State::Idle;
    std::vector<std::uint8_t> recent_;  // the last bytes heard, to spot a hello anywhere
    std::vector<std::uint8_t> frame_;   // a read or write frame being received
    Clock::time_point lastByte_{};
    int hellosIgnored_ = 0;
    // Counted on the serving thread, read by whoever drives the radio.
    std::atomic<int> session_ = 0;
    int exchange_ = 0;
};

}  // namespace tarnsim
