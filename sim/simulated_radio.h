#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "sim/radio_server.h"
#include "sim/tarn_radio.h"

namespace tarnsim {

// A simulated radio served on its own thread, for tests and benchmarks in one process.
class SimulatedRadio {
public:
    explicit SimulatedRadio(TarnRadio::Options options = {}, bool pace = false);
    ~SimulatedRadio();
    SimulatedRadio(const SimulatedRadio&) = delete;
    SimulatedRadio& operator=(const SimulatedRadio&) = delete;

    const std::string& path() const { return server_->path(); }
    TarnRadio& radio() { return radio_; }
    // True once a fault has pulled the cable.
    bool hungUp() const { return hungUp_; }

private:
    TarnRadio radio_;
    std::unique_ptr<RadioServer> server_;
    int stopPipe_[2] = {-1, -1};
    std::atomic<bool> hungUp_{false};
    std::thread thread_;
};

}  // namespace tarnsim
