#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

namespace lumo {

// One open line to the radio. The serial port is the real implementation; tests and
// fuzz targets use scripted ones.
class BytePort {
public:
    virtual ~BytePort() = default;

    // One write call: sends what the line takes within the write time-out and returns
    // once it has left the port. Returns the bytes written, or -1 when the call failed.
    virtual long writeSome(std::span<const std::uint8_t> data) = 0;

    // One read call under the read time-outs. Returns the bytes received (0 on a
    // time-out), or -1 when the call failed (the device is gone).
    virtual long readSome(std::span<std::uint8_t> data) = 0;

    // The pause the radio needs after each write.
    virtual void pauseAfterWrite() = 0;
};

// The port holder: empty when no port is open.
using PortHolder = std::unique_ptr<BytePort>;

// Operations on a holder; each fails and does nothing on an empty holder.
void CloseSerialPort(PortHolder& port);
bool WriteSerialByte(BytePort* port, std::uint8_t byte);
bool ReadSerialByte(BytePort* port, std::uint8_t& byte);
bool WriteSerialBlock(BytePort* port, std::span<const std::uint8_t> data);
bool ReadSerialBlock(BytePort* port, std::span<std::uint8_t> data);

// Reads are issued in pieces no larger than one block reply of the radio.
inline constexpr std::size_t kReadPieceSize = 68;

}  // namespace lumo
