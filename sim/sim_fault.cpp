#include "sim/sim_fault.h"

#include <charconv>

namespace tarnsim {
namespace {

bool parseNumber(const std::string& text, int& out) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), out);
    return error == std::errc{} && end == text.data() + text.size() && out >= 0;
}

std::vector<std::string> splitColons(const std::string& text) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t colon = text.find(':', start);
        parts.push_back(text.substr(start, colon - start));
        if (colon == std::string::npos) {
            return parts;
        }
        start = colon + 1;
    }
}

}  // namespace

std::optional<SimFault> parseFault(const std::string& faultText, std::string& error) {
    SimFault fault;
    std::string body = faultText;
    if (const auto at = faultText.find('@'); at != std::string::npos) {
        body = faultText.substr(0, at);
        if (!parseNumber(faultText.substr(at + 1), fault.session) || fault.session < 1) {
            error = "bad session in fault '" + faultText + "'";
            return std::nullopt;
        }
    }
    const std::vector<std::string> parts = splitColons(body);
    const std::string& name = parts[0];
    if (name == "corrupt") {
        unsigned address = 0;
        const std::string text = parts.size() == 2 ? parts[1] : std::string();
        const bool hex = text.rfind("0x", 0) == 0 || text.rfind("0X", 0) == 0;
        const char* first = text.data() + (hex ? 2 : 0);
        const char* last = text.data() + text.size();
        const auto [end, failure] = std::from_chars(first, last, address, hex ? 16 : 10);
        if (parts.size() != 2 || first == last || failure != std::errc{} || end != last ||
            address > 0xFFFF) {
            error = "fault '" + faultText + "' needs an address from 0 to 0xFFFF";
            return std::nullopt;
        }
        fault.kind = SimFault::Kind::Corrupt;
        fault.address = address;
        return fault;
    }
    struct Form {
        const char* name;
        SimFault::Kind kind;
        bool needsExchange;
        int defaultCount;
    };
    static constexpr Form kForms[] = {
        {"silent", SimFault::Kind::Silent, false, 0},
        {"wrong-identity", SimFault::Kind::WrongIdentity, false, 0},
        {"no-reply", SimFault::Kind::NoReply, true, 0},
        {"no-ack", SimFault::Kind::NoReply, true, 0},
        {"short", SimFault::Kind::ShortReply, true, 30},
        {"noise", SimFault::Kind::Noise, true, 5},
        {"hangup", SimFault::Kind::HangUp, true, 0},
    };
    for (const Form& form : kForms) {
        if (name != form.name) {
            continue;
        }
        const std::size_t maxParts = form.needsExchange ? (form.defaultCount > 0 ? 3 : 2) : 1;
        const std::size_t minParts = form.needsExchange ? 2 : 1;
        if (parts.size() < minParts || parts.size() > maxParts) {
            error = "fault '" + faultText + "' has the wrong number of fields";
            return std::nullopt;
        }
        fault.kind = form.kind;
        fault.count = form.defaultCount;
        if (form.needsExchange && (!parseNumber(parts[1], fault.exchange) || fault.exchange < 1)) {
            error = "bad exchange number in fault '" + faultText + "'";
            return std::nullopt;
        }
        if (parts.size() == 3 && !parseNumber(parts[2], fault.count)) {
            error = "bad byte count in fault '" + faultText + "'";
            return std::nullopt;
        }
        return fault;
    }
    error = "unknown fault '" + faultText + "'";
    return std::nullopt;
}

std::string faultHelp() {
    return "silent | wrong-identity | no-reply:K (no-ack:K) | short:K[:N] | noise:K[:N] | "
           "hangup:K | corrupt:ADDR, each optionally @S for session S only";
}

}  // namespace tarnsim
