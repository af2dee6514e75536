#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

#include "link/byte_port.h"

namespace lumo::test {

// A line with no clock: reads are served from a prepared queue of incoming bytes (an
// empty queue reads as a time-out) and writes are recorded.
class ScriptedPort final : public BytePort {
public:
    struct Shared {
        std::deque<std::uint8_t> incoming;
        std::vector<std::uint8_t> written;
        int readCalls = 0;
        std::vector<std::size_t> readRequests;
        bool closed = false;
    };

    explicit ScriptedPort(std::shared_ptr<Shared> shared) : shared_(std::move(shared)) {}
    ~ScriptedPort() override { shared_->closed = true; }

    long writeSome(std::span<const std::uint8_t> data) override;
    long readSome(std::span<std::uint8_t> data) override;
    void pauseAfterWrite() override {}

private:
    std::shared_ptr<Shared> shared_;
};

}  // namespace lumo::test
