#pragma once

#include <string>
#include <string_view>

#include "base/session.h"

namespace lumo {

// What leaving a frequency cell makes of its text.
struct CheckedFrequency {
    std::string text;
    // The value was outside the bands and replaced by the band's lower limit; the
    // user is told so.
    bool replaced = false;
};

// Rounds a frequency text to the radio's channel grid: a multiple of 5 kHz or of
// 6.25 kHz stays, anything else goes to the nearer 6.25 kHz step (a tie goes up). The
// result is written with five decimals ("446.00625"). A value outside the session's
// bands, before or after rounding, becomes the lower band limit with ".00000".
// Throws ConversionError for a text that is not a number.
CheckedFrequency checkFrequencyCell(std::string_view text, const Session& session);

// The rounding of checkFrequencyCell alone, without the band check: the frequency in
// 10 Hz units.
long long roundToChannelGrid(long double mhz);

// The text an out-of-range frequency is replaced by: "440.00000".
std::string bandLowReplacement(const Session& session);

}  // namespace lumo
