#include "channels/band_limits.h"

#include <string_view>

namespace lumo {
namespace {

// A band left open upward (lumo-cli write --keep-out-of-band) refuses only a frequency
// below zero, and names its upper end as that message always has: by the largest value
// of the floating type the limits were once kept in.
constexpr std::string_view kOpenUpperLimit = "1.189731495357231765e+4932";

std::string limitsText(const Band& band) {
    return shortestDecimal(band.low) + "-" +
           (band.isOpen() ? std::string(kOpenUpperLimit) : shortestDecimal(band.high));
}

}  // namespace

bool bandsHold(const Session& session, const PreciseFrequency& frequency) {
    for (const Band& band : session.bands()) {
        if (band.contains(frequency)) {
            return true;
        }
    }
    return false;
}

std::string bandsText(const Session& session) {
    const auto [first, second] = session.bands();
    std::string text = limitsText(first);
    if (second.low != first.low || second.high != first.high) {
        text += " or " + limitsText(second);
    }
    return text + " MHz";
}

}  // namespace lumo
