#pragma once

#include <string>
#include <vector>

#include "channels/channel_codec.h"
#include "channels/channel_table.h"

namespace lumo {

// One column of a channel that two tables, or a write and the radio, disagree on.
struct ColumnDifference {
    int column = 0;  // 1..12; 0 for bytes that no column shows
    std::string left;
    std::string right;
};

struct ChannelDifference {
    int channel = 0;
    std::vector<ColumnDifference> columns;
};

// A channel's cells 1..12 as the window would show them after reading `image`.
ChannelFields channelFieldsOf(const MemoryImage& image, int channel,
                              const ChannelVocabulary& vocabulary = defaultVocabulary());

// The channels 1..128 whose cells 1..12 differ, shown or hidden rows alike.
std::vector<ChannelDifference> compareTables(const ChannelTable& left, const ChannelTable& right);

// The channels that `holds` shows otherwise than `wrote`, by meaning: each with the
// columns (1..12) that would read differently in the window. Bytes that no column
// shows (the name slot past the name, the fixed option bits, byte 15) never count, so
// a radio that keeps such bytes its own way still holds what was written.
std::vector<ChannelDifference> compareWrittenChannels(
    const MemoryImage& wrote, const MemoryImage& holds,
    const ChannelVocabulary& vocabulary = defaultVocabulary());

// The channels whose record or name slot differs by any byte, each with both sides'
// bytes in hex (column 0, "bytes": the record first, then the name slot).
std::vector<ChannelDifference> compareChannelBytes(const MemoryImage& left, const MemoryImage& right);

// "channel 12: RX Frequency(MHZ) 446.00625 -> 446.01250; CH-Name A -> B", with
// `arrow` between the two sides ("->", or ", radio holds" for a verify).
std::string describeDifference(const ChannelDifference& difference, const std::string& before,
                               const std::string& between);

}  // namespace lumo
