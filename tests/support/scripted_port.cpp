#include "tests/support/scripted_port.h"

namespace lumo::test {

long ScriptedPort::writeSome(std::span<const std::uint8_t> data) {
    shared_->written.insert(shared_->written.end(), data.begin(), data.end());
    return static_cast<long>(data.size());
}

long ScriptedPort::readSome(std::span<std::uint8_t> data) {
    ++shared_->readCalls;
    shared_->readRequests.push_back(data.size());
    std::size_t n = 0;
    while (n < data.size() && !shared_->incoming.empty()) {
        data[n++] = shared_->incoming.front();
        shared_->incoming.pop_front();
    }
    return static_cast<long>(n);
}

}  // namespace lumo::test
