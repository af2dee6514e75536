#include "sim/tarn_radio.h"

#include <algorithm>
#include <array>

namespace tarnsim {
namespace {

constexpr std::array<std::uint8_t, 9> kHello{0x51, 0x5A, 0x4B, 0x45, 0x52, 0x56, 0x4F, 0x42, 0x33};
constexpr std::array<std::uint8_t, 8> kIdentity{0x06, 0x4B, 0x45, 0x52, 0x56, 0x4F, 0x42, 0x33};
constexpr std::uint8_t kAck = 0x06;
constexpr std::uint8_t kStart = 0x02;
constexpr std::uint8_t kReadBlock = 0x52;
constexpr std::uint8_t kWriteBlock = 0x57;
constexpr std::size_t kFrameHeader = 4;
// A frame left half-sent for this long belongs to a program that went away.
constexpr auto kStaleFrame = std::chrono::milliseconds(250);

}  // namespace

TarnRadio::TarnRadio(Options options)
    : options_(std::move(options)), memory_(kMemorySize, 0xFF), headerNoise_(options_.seed) {}

void TarnRadio::loadMemory(std::span<const std::uint8_t> image) {
    std::lock_guard lock(memoryMutex_);
    std::fill(memory_.begin(), memory_.end(), 0xFF);
    std::copy_n(image.begin(), std::min(image.size(), memory_.size()), memory_.begin());
}

std::vector<std::uint8_t> TarnRadio::memory() const {
    std::lock_guard lock(memoryMutex_);
    return memory_;
}

int TarnRadio::sessionsHeard() const { return session_; }

bool TarnRadio::corrupts(std::size_t address) const {
    for (const SimFault& fault : options_.faults) {
        if (fault.kind == SimFault::Kind::Corrupt && fault.address == address &&
            fault.appliesTo(session_)) {
            return true;
        }
    }
    return false;
}

const SimFault* TarnRadio::faultAt(SimFault::Kind kind, int exchange) const {
    for (const SimFault& fault : options_.faults) {
        if (fault.kind == kind && fault.exchange == exchange && fault.appliesTo(session_)) {
            return &fault;
        }
    }
    return nullptr;
}

bool TarnRadio::hasSessionFault(SimFault::Kind kind) const {
    return std::any_of(options_.faults.begin(), options_.faults.end(), [&](const SimFault& f) {
        return f.kind == kind && f.appliesTo(session_);
    });
}

bool TarnRadio::helloJustHeard() {
    return recent_.size() == kHello.size() && std::equal(recent_.begin(), recent_.end(), kHello.begin());
}

TarnRadio::Reply TarnRadio::startSession() {
    frame_.clear();
    recent_.clear();
    if (hellosIgnored_ < options_.bootHellos) {
        ++hellosIgnored_;
        state_ = State::Idle;
        return {};
    }
    ++session_;
    exchange_ = 0;
    if (hasSessionFault(SimFault::Kind::Silent)) {
        state_ = State::Idle;
        return {};
    }
    state_ = State::AwaitStart;
    return {{kAck}, false};
}

TarnRadio::Reply TarnRadio::receive(std::uint8_t byte, Clock::time_point now) {
    if (!frame_.empty() && now - lastByte_ > kStaleFrame) {
        frame_.clear();
    }
    lastByte_ = now;

    recent_.push_back(byte);
    if (recent_.size() > kHello.size()) {
        recent_.erase(recent_.begin());
    }
    if (helloJustHeard()) {
        return startSession();
    }

    switch (state_) {
        case State::Idle:
            return {};
        case State::AwaitStart:
            if (byte != kStart) {
                return {};
            }
            state_ = State::Session;
            if (hasSessionFault(SimFault::Kind::WrongIdentity)) {
                auto wrong = std::vector<std::uint8_t>(kIdentity.begin(), kIdentity.end());
                wrong.back() = 0x34;
                return {wrong, false};
            }
            return {{kIdentity.begin(), kIdentity.end()}, false};
        case State::Session:
            return sessionByte(byte);
    }
    return {};
}

std::size_t TarnRadio::helloPrefixHeard() const {
    for (std::size_t length = std::min(recent_.size(), kHello.size() - 1); length > 0; --length) {
        if (std::equal(recent_.end() - static_cast<long>(length), recent_.end(), kHello.begin())) {
            return length;
        }
    }
    return 0;
}

TarnRadio::Reply TarnRadio::sessionByte(std::uint8_t byte) {
    if (frame_.empty()) {
        // A new program's hello holds an 'R'; it must not start a read frame.
        if (helloPrefixHeard() >= 2) {
            return {};
        }
        if (byte == kAck) {
            ++exchange_;
            return exchangeReply({kAck});
        }
        if (byte != kReadBlock && byte != kWriteBlock) {
            return {};  // not a command: the radio ignores it
        }
    }
    frame_.push_back(byte);
    if (frame_.size() < kFrameHeader) {
        return {};
    }
    const std::size_t address = (std::size_t{frame_[1]} << 8) | frame_[2];
    const std::size_t length = frame_[3];
    if (frame_[0] == kReadBlock) {
        frame_.clear();
        ++exchange_;
        std::vector<std::uint8_t> reply;
        reply.reserve(kFrameHeader + length);
        // The header bytes mean nothing; vary them so nothing comes to rely on them.
        for (std::size_t i = 0; i < kFrameHeader; ++i) {
            reply.push_back(static_cast<std::uint8_t>(headerNoise_()));
        }
        std::lock_guard lock(memoryMutex_);
        for (std::size_t i = 0; i < length; ++i) {
            reply.push_back(memory_[(address + i) % kMemorySize]);
        }
        return exchangeReply(std::move(reply));
    }
    if (frame_.size() < kFrameHeader + length) {
        return {};
    }
    {
        std::lock_guard lock(memoryMutex_);
        for (std::size_t i = 0; i < length; ++i) {
            const std::size_t at = (address + i) % kMemorySize;
            memory_[at] = frame_[kFrameHeader + i] ^ (corrupts(at) ? 0x01 : 0x00);
        }
    }
    frame_.clear();
    ++exchange_;
    return exchangeReply({kAck});
}

TarnRadio::Reply TarnRadio::exchangeReply(std::vector<std::uint8_t> reply) {
    if (faultAt(SimFault::Kind::HangUp, exchange_) != nullptr) {
        return {{}, true};
    }
    if (faultAt(SimFault::Kind::NoReply, exchange_) != nullptr) {
        return {};
    }
    if (const SimFault* fault = faultAt(SimFault::Kind::ShortReply, exchange_)) {
        reply.resize(std::min(reply.size(), static_cast<std::size_t>(fault->count)));
    }
    if (const SimFault* fault = faultAt(SimFault::Kind::Noise, exchange_)) {
        // Noise never contains the acknowledgement byte, so it must be skipped.
        std::vector<std::uint8_t> noisy(static_cast<std::size_t>(fault->count), 0x15);
        noisy.insert(noisy.end(), reply.begin(), reply.end());
        reply = std::move(noisy);
    }
    return {std::move(reply), false};
}

}  // namespace tarnsim
