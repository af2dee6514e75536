#include "channels/channel_transfer.h"

#include <algorithm>
#include <array>
#include <optional>
#include <stdexcept>

namespace lumo {
namespace {

constexpr std::uint8_t kReadCommand = 0x52;
constexpr std::uint8_t kWriteCommand = 0x57;
constexpr int kAcknowledgeCode = 1;

void checkCount(int count) {
    if (count < 0 || count > ChannelCount) {
        throw std::invalid_argument("a transfer covers 0 to " + std::to_string(ChannelCount) +
                                    " channels, not " + std::to_string(count));
    }
}

std::array<std::uint8_t, 4> blockCommand(std::uint8_t command, std::size_t address, int length) {
    return {command, static_cast<std::uint8_t>(address >> 8),
            static_cast<std::uint8_t>(address & 0xFF), static_cast<std::uint8_t>(length)};
}

void report(const TransferProgress& progress, int position, int maximum) {
    if (progress) {
        progress(position, maximum);
    }
}

struct BlockPlan {
    int pairs;    // record block and name block
    int maximum;  // of the progress bar
};

// Connects and sets the progress bar to 0; nothing when the handshake failed.
std::optional<BlockPlan> connectForBlocks(int count, int blockLength, int progressPerBlock,
                                          const std::string& portName, HexLink& link,
                                          const TransferProgress& progress) {
    checkCount(count);
    if (!link.ConnectRadio(portName)) {
        return std::nullopt;
    }
    const int pairs = count * static_cast<int>(kChannelRecordSize) / blockLength;
    const BlockPlan plan{pairs, pairs * 2 * progressPerBlock};
    report(progress, 0, plan.maximum);
    return plan;
}

// A reply cut short fails like a missing acknowledgement, so its stale or partial
// bytes never reach the image.
void failCutReply(HexLink& link) {
    link.CloseLinkPort();
    link.dialogs().showMessage(defaultStrings().connectCrcFailed + "(" +
                               std::to_string(kAcknowledgeCode) + ")");
}

void countBlock(TransferCancel* cancel) {
    if (cancel != nullptr) {
        ++cancel->blocksDone;
    }
}

void planBlocks(TransferCancel* cancel, int pairs) {
    if (cancel != nullptr) {
        cancel->plan(pairs * 2);
    }
}

}  // namespace

bool ReadChannels(int count, const std::string& portName, HexLink& link, MemoryImage& image,
                  const TransferProgress& progress, TransferCancel* cancel) {
    if (stopBetweenBlocks(cancel, link)) {
        return false;
    }
    const std::optional<BlockPlan> plan =
        connectForBlocks(count, kReadBlockLength, kReadBlockLength + 5, portName, link, progress);
    if (!plan) {
        return false;
    }
    planBlocks(cancel, plan->pairs);
    int position = 0;
    std::array<std::uint8_t, kReadBlockLength + kReadReplyHeader> reply{};
    for (int i = 0; i < plan->pairs; ++i) {
        const std::size_t recordAddress =
            ChannelAreaBase + static_cast<std::size_t>(kReadBlockLength * i);
        for (const std::size_t address : {recordAddress, recordAddress + NameAreaOffset}) {
            if (stopBetweenBlocks(cancel, link)) {
                return false;
            }
            WriteSerialBlock(link.LinkPort(),
                             blockCommand(kReadCommand, address, kReadBlockLength));
            if (!ReadSerialBlock(link.LinkPort(), reply)) {
                failCutReply(link);
                return false;
            }
            link.SendHex(kAcknowledgeHex);
            if (!link.ExpectHex(kAcknowledgeHex, kAcknowledgeCode)) {
                return false;
            }
            position += kReadBlockLength + 5;
            report(progress, position, plan->maximum);
            std::copy(reply.begin() + kReadReplyHeader, reply.end(),
                      image.begin() + static_cast<long>(address - ChannelAreaBase));
            countBlock(cancel);
        }
    }
    link.CloseLinkPort();
    return true;
}

bool WriteChannels(int count, const std::string& portName, HexLink& link, const MemoryImage& image,
                   const TransferProgress& progress, TransferCancel* cancel) {
    if (stopBetweenBlocks(cancel, link)) {
        return false;
    }
    const std::optional<BlockPlan> plan =
        connectForBlocks(count, kWriteBlockLength, kWriteBlockLength, portName, link, progress);
    if (!plan) {
        return false;
    }
    planBlocks(cancel, plan->pairs);
    int position = 0;
    for (int i = 0; i < plan->pairs; ++i) {
        const std::size_t recordAddress =
            ChannelAreaBase + static_cast<std::size_t>(kWriteBlockLength * i);
        for (const std::size_t address : {recordAddress, recordAddress + NameAreaOffset}) {
            if (stopBetweenBlocks(cancel, link)) {
                return false;
            }
            WriteSerialBlock(link.LinkPort(),
                             blockCommand(kWriteCommand, address, kWriteBlockLength));
            WriteSerialBlock(link.LinkPort(),
                             std::span<const std::uint8_t>(
                                 image.data() + (address - ChannelAreaBase), kWriteBlockLength));
            position += kWriteBlockLength;
            report(progress, position, plan->maximum);
            if (!link.ExpectHex(kAcknowledgeHex, kAcknowledgeCode)) {
                return false;
            }
            countBlock(cancel);
        }
    }
    link.CloseLinkPort();
    return true;
}

bool ChannelTransfer::RunTransfer(TransferMode mode, TransferHost& host) {
    cancel_.reset();
    return RunTransfer(mode, host, cancel_);
}

bool ChannelTransfer::RunTransfer(TransferMode mode, TransferHost& host, TransferCancel& cancel) {
    if (running_) {
        throw std::logic_error("a channel transfer is already running");
    }
    mode_ = mode;
    running_ = true;
    result_ = false;
    cancel.beginSession();
    return runOnWorker(host, [this, &host, &cancel] {
        const TransferProgress progress = [&host](int position, int maximum) {
            host.progress(position, maximum);
        };
        bool result = false;
        try {
            switch (mode_) {
                case TransferMode::Read:
                    result = ReadChannels(ChannelCount, link_.PortName, link_, image_, progress,
                                          &cancel);
                    break;
                case TransferMode::Write:
                    result = WriteChannels(ChannelCount, link_.PortName, link_, image_, progress,
                                           &cancel);
                    break;
            }
        } catch (...) {
            link_.CloseLinkPort();
            running_ = false;
            throw;
        }
        result_ = result;
        running_ = false;
        return result;
    });
}

}  // namespace lumo
