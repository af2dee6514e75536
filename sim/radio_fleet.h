#pragma once

#include <atomic>
#include <chrono>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "sim/radio_server.h"
#include "sim/tarn_radio.h"

namespace tarnsim {

// A fault meant for one radio of a fleet; radio 0 stands for every radio.
struct FleetFault {
    int radio = 0;
    SimFault fault;
};

// A fault as parseFault reads it, optionally ending in %K for radio K only
// ("corrupt:0x0020%2").
std::optional<FleetFault> parseFleetFault(const std::string& text, std::string& error);

// Radios that are plugged into one cable one after another, as when a person programs
// several radios in a row: radio 1 first; each swap unplugs the current one, the cable
// stays empty for a moment, and the next follows. After the last the cable stays empty.
class RadioFleet {
public:
    // `count` radios, each starting from `image`, with the common options and the
    // faults meant for it.
    RadioFleet(int count, std::span<const std::uint8_t> image, const TarnRadio::Options& options,
               const std::vector<FleetFault>& faults);

    int count() const { return static_cast<int>(radios_.size()); }
    // Radio `number`, counted from 1.
    TarnRadio& radio(int number) { return *radios_.at(static_cast<std::size_t>(number - 1)); }
    // The number of the radio plugged in or being plugged in; count() + 1 after the last.
    int current() const { return current_; }

    // Unplugs the current radio and plugs in the next after `gap`. On the serving
    // thread only.
    void swap(RadioServer& server, std::chrono::milliseconds gap);

    // How long a swapped radio leaves the cable empty.
    static constexpr std::chrono::milliseconds kSwapGap{1000};

private:
    std::vector<std::unique_ptr<TarnRadio>> radios_;
    std::atomic<int> current_ = 1;
};

}  // namespace tarnsim
