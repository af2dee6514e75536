#pragma once

#include <string>

#include "link/byte_port.h"
#include "link/open_failure.h"
#include "link/serial_timeouts.h"

namespace lumo {

// A serial device opened with the radio's fixed line set-up: 9600 baud, 8N1, raw,
// no flow control, DTR and RTS raised, exclusive to this process.
class SerialPort final : public BytePort {
public:
    SerialPort(int fd, SerialTimeouts timeouts);
    ~SerialPort() override;
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    long writeSome(std::span<const std::uint8_t> data) override;
    long readSome(std::span<std::uint8_t> data) override;
    void pauseAfterWrite() override;

    int descriptor() const { return fd_; }

private:
    void waitUntilSent(std::size_t bytes, std::chrono::steady_clock::time_point writeStart,
                       std::chrono::steady_clock::time_point deadline);

    int fd_;
    SerialTimeouts timeouts_;
    bool gone_ = false;  // the device vanished: every later call fails at once
};

// Opens the device at `path`. Returns an empty holder on failure, with the reason in
// `failure` when given.
PortHolder OpenSerialPort(const std::string& path, const SerialTimeouts& timeouts = {},
                          OpenFailure* failure = nullptr);

}  // namespace lumo
