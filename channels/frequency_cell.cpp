#include "channels/frequency_cell.h"

#include <cmath>
#include <cstdio>

#include "channels/channel_codec.h"

namespace lumo {
namespace {

// The grid is decided in exact integers of 0.01 Hz rather than by testing whether a
// floating quotient prints with a decimal point: a text with up to eight decimals is
// represented exactly, so 446.003125 is a true tie and goes up.
constexpr long long kUnitsPerMhz = 100'000'000;  // 0.01 Hz
constexpr long long kStep5k = 500'000;
constexpr long long kStep6k25 = 625'000;
constexpr long long kUnitsPer10Hz = 1'000;

}  // namespace

long long roundToChannelGrid(long double mhz) {
    const long long units = std::llround(mhz * kUnitsPerMhz);
    if (units % kStep5k == 0 || units % kStep6k25 == 0) {
        return units / kUnitsPer10Hz;
    }
    const long long down = units / kStep6k25 * kStep6k25;
    const long long up = down + kStep6k25;
    return (up - units <= units - down ? up : down) / kUnitsPer10Hz;
}

namespace {

std::string formatTenHertz(long long r) {
    char text[32];
    std::snprintf(text, sizeof text, "%lld.%05lld", r / 100000, r % 100000);
    return text;
}

}  // namespace

std::string bandLowReplacement(const Session& session) {
    return shortestDecimal(session.BandLow) + ".00000";
}

CheckedFrequency checkFrequencyCell(std::string_view text, const Session& session) {
    const long double mhz = frequencyValue(text);
    if (!session.isInRange(mhz)) {
        return {bandLowReplacement(session), true};
    }
    const long long rounded = roundToChannelGrid(mhz);
    if (!session.isInRange(static_cast<long double>(rounded) / 100000)) {
        return {bandLowReplacement(session), true};
    }
    return {formatTenHertz(rounded), false};
}

}  // namespace lumo
