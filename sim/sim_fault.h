#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tarnsim {

// A misbehaviour of the simulated radio. Exchanges are the frames the computer sends
// after the identity reply (an acknowledgement, a read block or a write block),
// counted from 1 in each session; sessions are the hellos the radio hears, counted
// from 1 after the ones it ignores while booting.
struct SimFault {
    enum class Kind {
        Silent,         // never answers a hello
        WrongIdentity,  // answers the start byte with an identity whose last byte differs
        NoReply,        // gives no reply at all at the exchange
        ShortReply,     // sends only `count` bytes of its reply at the exchange
        Noise,          // sends `count` noise bytes before its reply at the exchange
        HangUp,         // the line vanishes at the exchange
        Corrupt,        // stores a wrong byte (bit 0 flipped) whenever `address` is written
    };
    Kind kind = Kind::Silent;
    int exchange = 0;  // for the kinds that happen at an exchange
    int count = 0;     // bytes, for ShortReply and Noise
    int session = 0;   // 0: every session
    unsigned address = 0;  // for Corrupt

    bool appliesTo(int currentSession) const { return session == 0 || session == currentSession; }
};

// Parses one fault: silent, wrong-identity, no-reply:K (also no-ack:K), short:K[:N],
// noise:K[:N], hangup:K, corrupt:ADDR (0x0020 or 32); each may end in @S to act in
// session S only.
std::optional<SimFault> parseFault(const std::string& faultText, std::string& error);

// A line for --help listing the forms above.
std::string faultHelp();

}  // namespace tarnsim
