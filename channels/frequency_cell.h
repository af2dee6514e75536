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

// Rounds a frequency text to the radio's channel raster (roundToChannelRaster) and
// writes it with five decimals ("446.00625"). A value outside the session's bands,
// before or after rounding, becomes the lower band limit with ".00000".
// Throws ConversionError for a text that is not a number.
CheckedFrequency checkFrequencyCell(std::string_view text, const Session& session);

// The text an out-of-range frequency is replaced by: "440.00000".
std::string bandLowReplacement(const Session& session);

}  // namespace lumo
