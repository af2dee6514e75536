#include "sim/simulated_radio.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace tarnsim {

SimulatedRadio::SimulatedRadio(TarnRadio::Options options, bool pace)
    : radio_(std::move(options)), server_(std::make_unique<RadioServer>(radio_, pace)) {
    if (pipe2(stopPipe_, O_CLOEXEC) != 0) {
        throw std::runtime_error(std::string("pipe: ") + std::strerror(errno));
    }
    thread_ = std::thread([this] {
        if (server_->serve(stopPipe_[0]) == RadioServer::Ended::HungUp) {
            hungUp_ = true;
        }
    });
}

SimulatedRadio::~SimulatedRadio() {
    close(stopPipe_[1]);
    thread_.join();
    close(stopPipe_[0]);
}

}  // namespace tarnsim
