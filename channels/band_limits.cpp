#include "channels/band_limits.h"

#include <algorithm>
#include <cmath>

#include "channels/megahertz_text.h"

namespace lumo {
namespace {

// Beyond every radio's band; a limit this high or higher (a band left open) holds
// every frequency.
constexpr long double kBeyondEveryBand = 1e9;

long long centihertzOf(long double mhz) {
    if (!(mhz >= 0)) {
        return -1;
    }
    return std::llround(std::min(mhz, kBeyondEveryBand) * kCentihertzPerMegahertz);
}

bool within(long long value, long double low, long double high) {
    return value >= centihertzOf(low) && value <= centihertzOf(high);
}

}  // namespace

bool bandsHold(const Session& session, long long centihertz) {
    return within(centihertz, session.BandLow, session.BandHigh) ||
           within(centihertz, session.Band2Low, session.Band2High);
}

bool bandsHold(const Session& session, long double mhz) {
    return bandsHold(session, centihertzOf(mhz));
}

std::string bandsText(const Session& session) {
    std::string text = shortestDecimal(session.BandLow) + "-" + shortestDecimal(session.BandHigh);
    if (session.Band2Low != session.BandLow || session.Band2High != session.BandHigh) {
        text +=
            " or " + shortestDecimal(session.Band2Low) + "-" + shortestDecimal(session.Band2High);
    }
    return text + " MHz";
}

}  // namespace lumo
