#include "settings/settings_transfer.h"

#include <array>
#include <thread>
#include <vector>

#include "link/hex_text.h"
#include "settings/settings_bytes.h"

namespace lumo {
namespace {

constexpr std::uint8_t kReadCommand = 0x52;
constexpr std::uint8_t kWriteCommand = 0x57;
constexpr std::size_t kReplyHeader = 4;
// Failure code shown when the radio does not acknowledge a settings block.
constexpr int kSettingsAckCode = 3;
// The radio wants a moment after the handshake before the read command.
constexpr std::chrono::milliseconds kPauseBeforeRead{16};
// Characters per byte in hex text: two digits and a blank.
constexpr std::size_t kHexByteWidth = 3;

std::vector<std::uint8_t> blockCommand(std::uint8_t command, std::uint16_t address,
                                       std::size_t length) {
    return {command, static_cast<std::uint8_t>(address >> 8),
            static_cast<std::uint8_t>(address & 0xFF), static_cast<std::uint8_t>(length)};
}

void report(const TransferProgress& progress, int position) {
    if (progress) {
        progress(position, kSettingsProgressSteps);
    }
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

// The settings move in one block; the radio has been reached once this is called.
void connected(TransferCancel* cancel) {
    if (cancel != nullptr) {
        cancel->plan(1);
    }
}

void blockDone(TransferCancel* cancel) {
    if (cancel != nullptr) {
        cancel->blocksDone = 1;
    }
}

}  // namespace

int HexByteAt(std::string_view hexText, std::size_t position) {
    const std::size_t at = position * kHexByteWidth;
    if (position > hexText.size() / kHexByteWidth || at + 2 > hexText.size()) {
        throw HexTextError("hex text has no byte " + std::to_string(position));
    }
    const int high = hexDigit(hexText[at]);
    const int low = hexDigit(hexText[at + 1]);
    if (high < 0 || low < 0) {
        throw HexTextError("hex text byte " + std::to_string(position) + " is not hexadecimal");
    }
    return high * 16 + low;
}

std::optional<SettingsBytes> ReadDuneBytes(HexLink& link, const TransferProgress& progress,
                                           TransferCancel* cancel) {
    const std::string readCommand =
        formatHexText(blockCommand(kReadCommand, kSettingsReadAddress, kSettingsReadLength));
    std::string reply;
    // A radio that misses the reply again after the reconnect will not answer a third
    // time either; one retry keeps a dead radio from holding the user for ever.
    bool retried = false;
    for (;;) {
        if (stopBetweenBlocks(cancel, link)) {
            return std::nullopt;
        }
        if (!link.ConnectRadio(link.PortName)) {
            link.CloseLinkPort();
            return std::nullopt;
        }
        connected(cancel);
        std::this_thread::sleep_for(kPauseBeforeRead);
        if (stopBetweenBlocks(cancel, link)) {
            return std::nullopt;
        }
        report(progress, 1);
        report(progress, 2);
        link.SendHex(readCommand);
        if (link.ReceiveHex(reply, kReplyHeader + kSettingsReadLength)) {
            break;
        }
        if (!link.AckAfterHandshake || retried) {
            return std::nullopt;
        }
        link.AckAfterHandshake = false;
        retried = true;
    }
    report(progress, 3);
    link.SendHex(kAcknowledgeHex);
    report(progress, 5);
    if (!link.ExpectHex(kAcknowledgeHex, kSettingsAckCode)) {
        return std::nullopt;
    }
    report(progress, kSettingsProgressSteps);
    blockDone(cancel);

    SettingsBytes settings{};
    const std::size_t first = kReplyHeader + (kSettingsAddress - kSettingsReadAddress);
    for (std::size_t i = 0; i < settings.size(); ++i) {
        settings[i] = static_cast<std::uint8_t>(HexByteAt(reply, first + i));
    }
    link.CloseLinkPort();
    return settings;
}

bool ReadDuneArea(HexLink& link, SettingsForm& form, const TransferProgress& progress) {
    const std::optional<SettingsBytes> settings = ReadDuneBytes(link, progress);
    if (!settings) {
        return false;
    }
    form.applyRadioBytes(*settings);
    return true;
}

bool WriteDuneArea(HexLink& link, const SettingsForm& form, const TransferProgress& progress,
                   TransferCancel* cancel) {
    report(progress, 1);
    if (stopBetweenBlocks(cancel, link)) {
        return false;
    }
    if (!link.ConnectRadio(link.PortName)) {
        link.CloseLinkPort();
        return false;
    }
    connected(cancel);
    if (stopBetweenBlocks(cancel, link)) {
        return false;
    }
    std::vector<std::uint8_t> frame =
        blockCommand(kWriteCommand, kSettingsAddress, kSettingsLength);
    const std::vector<std::uint8_t> settings = form.radioBytes();
    frame.insert(frame.end(), settings.begin(), settings.end());
    report(progress, 3);
    link.SendHex(formatHexText(frame));
    report(progress, 5);
    if (!link.ExpectHex(kAcknowledgeHex, kSettingsAckCode)) {
        return false;
    }
    report(progress, kSettingsProgressSteps);
    blockDone(cancel);
    link.CloseLinkPort();
    return true;
}

}  // namespace lumo
