#pragma once

#include <chrono>
#include <functional>
#include <optional>

#include "sim/pty_line.h"
#include "sim/tarn_radio.h"

namespace tarnsim {

// Serves a TarnRadio on a pty until told to stop or until a fault hangs the line up.
// The radio at the end of the line can be swapped while the line stays, as when the
// cable stays in the computer and another radio is plugged into it.
class RadioServer {
public:
    RadioServer(TarnRadio& radio, bool pace);

    const std::string& path() const { return line_.path(); }

    // Unplugs the radio now and plugs `next` in after `gap`; nullptr leaves the cable
    // empty. Meanwhile whatever the program sends goes unanswered. Only from the
    // serving thread (the swap callback of serve) or before serving.
    void swapRadio(TarnRadio* next, std::chrono::milliseconds gap);
    // Whether a radio is plugged in.
    bool hasRadio() const { return radio_ != nullptr; }

    enum class Ended { Stopped, HungUp };
    // Runs until `stopFd` becomes readable or the radio hangs up. Whenever `swapFd`
    // becomes readable, `onSwap` is called on this thread to read it and swap radios.
    Ended serve(int stopFd, int swapFd = -1, const std::function<void()>& onSwap = {});

private:
    void handleInput(const std::uint8_t* data, std::size_t size);
    void send(const std::vector<std::uint8_t>& bytes);
    // Sleeps until `when`; false when told to stop meanwhile.
    bool waitUntil(TarnRadio::Clock::time_point when);

    // Plugs in the waiting radio once its time has come.
    void plugInWhenDue();
    // Milliseconds poll may sleep before the waiting radio is due; -1 without one.
    int msUntilPlugIn() const;

    TarnRadio* radio_;
    TarnRadio* waiting_ = nullptr;
    std::optional<TarnRadio::Clock::time_point> plugInAt_;
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
