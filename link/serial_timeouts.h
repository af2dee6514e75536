#pragma once

#include <chrono>
#include <cstddef>

namespace lumo {

// The line's time-outs. The defaults are the radio link's own values; tests run the
// same code with shorter ones.
struct SerialTimeouts {
    // Longest quiet gap after a received byte before a read ends.
    std::chrono::milliseconds readInterval{288};
    // A read of n bytes waits at most n * readTotalPerByte + readTotalConstant.
    std::chrono::milliseconds readTotalPerByte{1000};
    std::chrono::milliseconds readTotalConstant{100};
    // A write of n bytes may take at most n * writeTotalPerByte + writeTotalConstant.
    std::chrono::milliseconds writeTotalPerByte{2000};
    std::chrono::milliseconds writeTotalConstant{2};
    // Pause after every write so the radio is never rushed.
    std::chrono::milliseconds pauseAfterWrite{3};

    std::chrono::milliseconds readBudget(std::size_t bytes) const {
        return readTotalPerByte * static_cast<long>(bytes) + readTotalConstant;
    }
    std::chrono::milliseconds writeBudget(std::size_t bytes) const {
        return writeTotalPerByte * static_cast<long>(bytes) + writeTotalConstant;
    }
};

// 9600 baud, 8N1: ten bit times per byte.
inline constexpr long kBaudRate = 9600;
inline constexpr std::chrono::nanoseconds wireTime(std::size_t bytes) {
    return std::chrono::nanoseconds(static_cast<long long>(bytes) * 10 * 1'000'000'000LL /
                                    kBaudRate);
}

}  // namespace lumo
