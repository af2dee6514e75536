#pragma once

#include <chrono>

#include "sim/pty_line.h"
#include "sim/tarn_radio.h"

namespace tarnsim {

// Serves a TarnRadio on a pty until told to stop or until a fault hangs the line up.
class RadioServer {
public:
    RadioServer(TarnRadio& radio, bool pace);

    const std::string& path() const { return line_.path(); }

    enum class Ended { Stopped, HungUp };
    // Runs until `stopFd` becomes readable or the radio hangs up.
    Ended serve(int stopFd);

private:
    void handleInput(const std::uint8_t* data, std::size_t size);
    void send(const std::vector<std::uint8_t>& bytes);
    // Sleeps until `when`; false when told to stop meanwhile.
    bool waitUntil(TarnRadio::Clock::time_point when);

    TarnRadio& radio_;
    PtyLine line_;
    bool pace_;
    bool hungUp_ = false;
    bool stopped_ = false;
    int stopFd_ = -1;
    TarnRadio::Clock::time_point inputFreeAt_{};
};

// One byte's time on a 9600 baud 8N1 wire.
inline constexpr std::chrono::nanoseconds kByteTime{10'000'000'000LL / 9600};

}  // namespace tarnsim
