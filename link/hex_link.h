#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "base/languagestr.h"
#include "base/transfer_cancel.h"
#include "base/user_dialogs.h"
#include "link/byte_port.h"
#include "link/hex_text.h"
#include "link/open_failure.h"
#include "link/serial_timeouts.h"

namespace lumo {

// Protocol constants of the radio's handshake.
inline constexpr std::string_view kHelloHex = "51 5A 4B 45 52 56 4F 42 33";
inline constexpr std::string_view kAcknowledgeHex = "06 ";
inline constexpr std::string_view kStartHex = "02 ";
inline constexpr std::string_view kIdentityReplyHex = "06 4B 45 52 56 4F 42 33";

struct LinkTimings {
    SerialTimeouts serial;
    // Wait between two handshake attempts.
    std::chrono::milliseconds retryWait{88};
};

// Opens the device a port name stands for; on failure returns an empty holder and
// says why in the OpenFailure.
using PortOpener = std::function<PortHolder(const std::string& name, OpenFailure& why)>;

// The command link to the radio: the one link port, the hex-text exchanges and the
// handshake that opens every session. One instance serves the whole program; only
// one radio operation runs on it at a time.
class HexLink {
public:
    HexLink(PortOpener opener, UserDialogs& dialogs, LinkTimings timings = {},
            const LanguageStrings& strings = defaultStrings());

    bool OpenLinkPort(const std::string& name);
    void CloseLinkPort();
    BytePort* LinkPort() const { return linkPort_.get(); }
    bool isOpen() const { return linkPort_ != nullptr; }

    // Converts hex text into CommandBytes; returns the byte count. Throws HexTextError.
    std::size_t HexToBytes(std::string_view text);
    const std::array<std::uint8_t, kCommandBytesSize>& CommandBytes() const {
        return commandBytes_;
    }

    // Sends the bytes of a hex text. Always true: a lost command shows as a missing reply.
    bool SendHex(std::string_view text);
    // Receives n bytes as hex text; on a missing byte tells the user and closes the port.
    bool ReceiveHex(std::string& out, std::size_t n);
    // Waits for the byte of `text`, discarding others; on failure closes the port and,
    // for a non-zero code, tells the user.
    bool ExpectHex(std::string_view text, int code);
    // Opens the port and performs the handshake; on success the port stays open.
    bool ConnectRadio(const std::string& name);

    // Selected port, "com1".."com9" or a device path.
    std::string PortName = "com1";
    // Cleared by the first successful handshake; while set a handshake tries once.
    bool FirstConnect = true;
    // While set the handshake ends with an acknowledgement exchange, else with one read.
    bool AckAfterHandshake = true;

    UserDialogs& dialogs() const { return *dialogs_; }
    // Where the link tells the user from now on; returns where it told before. Only
    // between sessions: the session's worker owns the link while it runs.
    UserDialogs& redirectDialogs(UserDialogs& to) {
        UserDialogs& before = *dialogs_;
        dialogs_ = &to;
        return before;
    }
    const LinkTimings& timings() const { return timings_; }
    // Why the last open failed, for front ends that show more than the box.
    const OpenFailure& lastOpenFailure() const { return lastOpenFailure_; }

private:
    enum class AttemptResult { Connected, Retry, GiveUp };
    AttemptResult attemptHandshake(const std::string& name, int& attempts);
    bool finishHandshake();
    std::string identityMismatchText(const std::string& received) const;

    PortOpener opener_;
    UserDialogs* dialogs_;
    LinkTimings timings_;
    const LanguageStrings& strings_;
    PortHolder linkPort_;
    std::array<std::uint8_t, kCommandBytesSize> commandBytes_{};
    OpenFailure lastOpenFailure_;
};

// Between two block exchanges of a session `cancel` may stop (nullptr: none): true, with
// the link's port closed and the stop noted, when a stop was asked for.
bool stopBetweenBlocks(TransferCancel* cancel, HexLink& link);

// Sends what `link` tells the user to `to` for as long as it lives.
class DialogsRedirect {
public:
    DialogsRedirect(HexLink& link, UserDialogs& to) : link_(link), before_(link.redirectDialogs(to)) {}
    ~DialogsRedirect() { link_.redirectDialogs(before_); }
    DialogsRedirect(const DialogsRedirect&) = delete;
    DialogsRedirect& operator=(const DialogsRedirect&) = delete;

private:
    HexLink& link_;
    UserDialogs& before_;
};

}  // namespace lumo
