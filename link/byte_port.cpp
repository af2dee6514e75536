#include "link/byte_port.h"

#include <algorithm>

namespace lumo {

void CloseSerialPort(PortHolder& port) { port.reset(); }

bool WriteSerialByte(BytePort* port, std::uint8_t byte) {
    if (port == nullptr) {
        return false;
    }
    const long written = port->writeSome(std::span<const std::uint8_t>(&byte, 1));
    port->pauseAfterWrite();
    return written == 1;
}

bool ReadSerialByte(BytePort* port, std::uint8_t& byte) {
    if (port == nullptr) {
        return false;
    }
    return port->readSome(std::span<std::uint8_t>(&byte, 1)) == 1;
}

bool WriteSerialBlock(BytePort* port, std::span<const std::uint8_t> data) {
    if (port == nullptr) {
        return false;
    }
    std::size_t sent = 0;
    bool lastCallSucceeded = true;
    while (sent < data.size()) {
        const long written = port->writeSome(data.subspan(sent));
        if (written <= 0) {
            lastCallSucceeded = false;
            break;
        }
        sent += static_cast<std::size_t>(written);
    }
    port->pauseAfterWrite();
    return lastCallSucceeded;
}

bool ReadSerialBlock(BytePort* port, std::span<std::uint8_t> data) {
    if (port == nullptr) {
        return false;
    }
    std::size_t received = 0;
    while (received < data.size()) {
        const std::size_t piece = std::min(data.size() - received, kReadPieceSize);
        const long got = port->readSome(data.subspan(received, piece));
        if (got <= 0) {
            return false;
        }
        received += static_cast<std::size_t>(got);
        // A short piece means the line fell quiet mid-reply; asking again would only
        // wait out the whole budget of the bytes still missing (38 s for a cut reply).
        if (static_cast<std::size_t>(got) < piece) {
            return false;
        }
    }
    return true;
}

}  // namespace lumo
