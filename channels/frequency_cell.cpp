#include "channels/frequency_cell.h"

#include "channels/channel_codec.h"

namespace lumo {

std::string bandLowReplacement(const Session& session) {
    return shortestDecimal(session.BandLow) + ".00000";
}

CheckedFrequency checkFrequencyCell(std::string_view text, const Session& session) {
    const PreciseFrequency typed = frequencyValue(text);
    if (!session.isInRange(typed)) {
        return {bandLowReplacement(session), true};
    }
    const Frequency rounded = roundToChannelRaster(typed);
    if (!session.isInRange(rounded)) {
        return {bandLowReplacement(session), true};
    }
    return {fiveDecimalText(rounded), false};
}

}  // namespace lumo
