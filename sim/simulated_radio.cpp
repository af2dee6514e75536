#include "sim/simulated_radio.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace tarnsim {
namespace {

void openPipe(int (&ends)[2]) {
    if (pipe2(ends, O_CLOEXEC) != 0) {
        throw std::runtime_error(std::string("pipe: ") + std::strerror(errno));
    }
}

}  // namespace

SimulatedRadio::SimulatedRadio(TarnRadio::Options options, bool pace)
    : SimulatedRadio(std::move(options), pace, FleetSetup{}) {}

SimulatedRadio::SimulatedRadio(TarnRadio::Options options, bool pace, FleetSetup fleet)
    : fleet_(fleet.radios, fleet.image, options, fleet.faults),
      swapGap_(fleet.swapGap),
      server_(std::make_unique<RadioServer>(fleet_.radio(1), pace)) {
    openPipe(stopPipe_);
    openPipe(swapPipe_);
    thread_ = std::thread([this] {
        const auto swap = [this] {
            char request = 0;
            if (read(swapPipe_[0], &request, 1) == 1) {
                fleet_.swap(*server_, swapGap_);
            }
        };
        if (server_->serve(stopPipe_[0], swapPipe_[0], swap) == RadioServer::Ended::HungUp) {
            hungUp_ = true;
        }
    });
}

SimulatedRadio::~SimulatedRadio() {
    close(stopPipe_[1]);
    thread_.join();
    close(stopPipe_[0]);
    close(swapPipe_[0]);
    close(swapPipe_[1]);
}

void SimulatedRadio::swapRadio() {
    const char request = 1;
    (void)!write(swapPipe_[1], &request, 1);
}

}  // namespace tarnsim
