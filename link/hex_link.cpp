#include "link/hex_link.h"

#include <algorithm>
#include <optional>
#include <thread>

namespace lumo {
namespace {

using Clock = std::chrono::steady_clock;

// strcmp-style signed difference of the first differing characters.
int firstDifference(const std::string& a, std::string_view b) {
    const std::size_t n = std::max(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const int ca = i < a.size() ? static_cast<unsigned char>(a[i]) : 0;
        const int cb = i < b.size() ? static_cast<unsigned char>(b[i]) : 0;
        if (ca != cb) {
            return ca - cb;
        }
    }
    return 0;
}

}  // namespace

HexLink::HexLink(PortOpener opener, UserDialogs& dialogs, LinkTimings timings,
                 const LanguageStrings& strings)
    : opener_(std::move(opener)), dialogs_(&dialogs), timings_(timings), strings_(strings) {}

bool HexLink::OpenLinkPort(const std::string& name) {
    linkPort_.reset();
    lastOpenFailure_ = {};
    linkPort_ = opener_(name, lastOpenFailure_);
    return linkPort_ != nullptr;
}

void HexLink::CloseLinkPort() { CloseSerialPort(linkPort_); }

std::size_t HexLink::HexToBytes(std::string_view text) {
    const std::vector<std::uint8_t> bytes = parseHexText(text);
    std::copy(bytes.begin(), bytes.end(), commandBytes_.begin());
    return bytes.size();
}

bool HexLink::SendHex(std::string_view text) {
    const std::size_t count = HexToBytes(text);
    WriteSerialBlock(linkPort_.get(), std::span<const std::uint8_t>(commandBytes_.data(), count));
    return true;
}

bool HexLink::ReceiveHex(std::string& out, std::size_t n) {
    out.clear();
    for (std::size_t i = 0; i < n; ++i) {
        std::uint8_t byte = 0;
        if (!ReadSerialByte(linkPort_.get(), byte)) {
            dialogs_->showMessage(strings_.errorPortOperateOut);
            CloseLinkPort();
            return false;
        }
        out += formatHexText(std::span<const std::uint8_t>(&byte, 1));
    }
    return true;
}

bool HexLink::ExpectHex(std::string_view text, int code) {
    const std::size_t count = HexToBytes(text);
    const std::uint8_t expected = count > 0 ? commandBytes_[0] : 0;
    // A line that keeps sending wrong bytes must not hold us forever: once bytes are
    // being discarded they get the same time a silent line gets.
    std::optional<Clock::time_point> discardDeadline;
    for (;;) {
        std::uint8_t byte = 0;
        if (!ReadSerialByte(linkPort_.get(), byte)) {
            break;
        }
        if (byte == expected) {
            return true;
        }
        const auto now = Clock::now();
        if (!discardDeadline) {
            discardDeadline = now + timings_.serial.readBudget(1);
        } else if (now >= *discardDeadline) {
            break;
        }
    }
    CloseLinkPort();
    if (code != 0) {
        dialogs_->showMessage(strings_.connectCrcFailed + "(" + std::to_string(code) + ")");
    }
    return false;
}

std::string HexLink::identityMismatchText(const std::string& received) const {
    const std::string lineBreak = "\r\n";
    return strings_.dataCrcFailed + lineBreak + "|" + received + "|" + lineBreak + "|" +
           std::string(kIdentityReplyHex) + "|" +
           std::to_string(firstDifference(received, kIdentityReplyHex));
}

bool HexLink::finishHandshake() {
    if (AckAfterHandshake) {
        SendHex(kAcknowledgeHex);
        if (!ExpectHex(kAcknowledgeHex, 1)) {
            return false;
        }
    } else {
        std::uint8_t ignored = 0;
        if (!ReadSerialByte(linkPort_.get(), ignored)) {
            AckAfterHandshake = true;
        }
    }
    FirstConnect = false;
    return true;
}

HexLink::AttemptResult HexLink::attemptHandshake(const std::string& name, int& attempts) {
    if (!OpenLinkPort(name)) {
        return dialogs_->askYesNo(strings_.openPortFailed, lastOpenFailure_.describe())
                   ? AttemptResult::Retry
                   : AttemptResult::GiveUp;
    }
    SendHex(kHelloHex);
    if (!ExpectHex(kAcknowledgeHex, 0)) {
        ++attempts;
        if (attempts > 4 || FirstConnect) {
            dialogs_->showMessage(strings_.deviceUnconnect);
            return AttemptResult::GiveUp;
        }
        std::this_thread::sleep_for(timings_.retryWait);
        return AttemptResult::Retry;
    }
    SendHex(kStartHex);
    std::string received;
    if (!ReceiveHex(received, 8)) {
        return dialogs_->askYesNo(strings_.deviceNoConnectTryAgain) ? AttemptResult::Retry
                                                                   : AttemptResult::GiveUp;
    }
    if (trimBlanks(received) != trimBlanks(kIdentityReplyHex)) {
        CloseLinkPort();
        return dialogs_->askYesNo(identityMismatchText(received)) ? AttemptResult::Retry
                                                                 : AttemptResult::GiveUp;
    }
    return finishHandshake() ? AttemptResult::Connected : AttemptResult::GiveUp;
}

bool HexLink::ConnectRadio(const std::string& name) {
    int attempts = 0;  // Yes answers do not reset it
    for (;;) {
        switch (attemptHandshake(name, attempts)) {
            case AttemptResult::Connected:
                return true;
            case AttemptResult::GiveUp:
                CloseLinkPort();
                return false;
            case AttemptResult::Retry:
                break;
        }
    }
}

bool stopBetweenBlocks(TransferCancel* cancel, HexLink& link) {
    const bool stop = cancel != nullptr && cancel->stopHere();
    if (stop) {
        link.CloseLinkPort();
    }
    return stop;
}

}  // namespace lumo
