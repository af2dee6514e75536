#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "sim/radio_fleet.h"
#include "sim/radio_server.h"
#include "sim/tarn_radio.h"

namespace tarnsim {

// Several radios to plug into the line one after another (see RadioFleet).
struct FleetSetup {
    int radios = 1;
    std::vector<std::uint8_t> image;  // what every radio holds at first
    std::vector<FleetFault> faults;
    std::chrono::milliseconds swapGap = RadioFleet::kSwapGap;
};

// A simulated radio served on its own thread, for tests and benchmarks in one process;
// or a fleet of them, swapped on the same line.
class SimulatedRadio {
public:
    explicit SimulatedRadio(TarnRadio::Options options = {}, bool pace = false);
    SimulatedRadio(TarnRadio::Options options, bool pace, FleetSetup fleet);
    ~SimulatedRadio();
    SimulatedRadio(const SimulatedRadio&) = delete;
    SimulatedRadio& operator=(const SimulatedRadio&) = delete;

    const std::string& path() const { return server_->path(); }
    // The first radio: the only one unless a fleet was asked for.
    TarnRadio& radio() { return fleet_.radio(1); }
    RadioFleet& fleet() { return fleet_; }
    // Unplugs the current radio; the next follows after the fleet's gap. Returns at
    // once; the serving thread does it.
    void swapRadio();
    // True once a fault has pulled the cable.
    bool hungUp() const { return hungUp_; }

private:
    RadioFleet fleet_;
    std::chrono::milliseconds swapGap_;
    std::unique_ptr<RadioServer> server_;
    int stopPipe_[2] = {-1, -1};
    int swapPipe_[2] = {-1, -1};
    std::atomic<bool> hungUp_{false};
    std::thread thread_;
};

}  // namespace tarnsim
