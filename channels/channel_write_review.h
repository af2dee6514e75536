#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/write_review.h"
#include "channels/channel_compare.h"
#include "channels/channel_table.h"

namespace lumo {

// What Lumo knows a radio's channel area to hold before a write: the image of the last
// read or write in this session, or else the newest channel backup; `source` says
// which, and when ("the last read, at 14:02:11").
struct KnownRadioChannels {
    MemoryImage image;
    std::string source;
};

// The change list of a write of `table` (encoded as the write would send it) to a radio
// holding `radio`, channel by channel. A channel the write puts where the radio holds
// none is one line with all it shows ("channel 12: new, 446.10000 / 446.10000, Off,
// ..."), one it empties the same ("channel 12: emptied (was ...)"); any other change is
// one line per column, old -> new ("channel 2, TX Power: High -> Low"). A channel is
// empty when its RX and TX are. Throws ConversionError as the write would for a cell
// it cannot send.
std::vector<std::string> channelChangeLines(
    const ChannelTable& table, const MemoryImage& radio,
    const ChannelVocabulary& vocabulary = defaultVocabulary());

WriteReview reviewChannelWrite(const ChannelTable& table,
                               const std::optional<KnownRadioChannels>& radio,
                               const ChannelVocabulary& vocabulary = defaultVocabulary());

}  // namespace lumo
