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
// holding `radio`, channel by channel, each column that would change. Throws
// ConversionError as the write would for a cell it cannot send.
std::vector<ChannelDifference> channelChangesToWrite(
    const ChannelTable& table, const MemoryImage& radio,
    const ChannelVocabulary& vocabulary = defaultVocabulary());

WriteReview reviewChannelWrite(const ChannelTable& table,
                               const std::optional<KnownRadioChannels>& radio,
                               const ChannelVocabulary& vocabulary = defaultVocabulary());

// The lines of a change list, old -> new, one per column.
std::vector<std::string> changeLines(const std::vector<ChannelDifference>& changes);

}  // namespace lumo
