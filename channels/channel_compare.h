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

// The channels 1..128 whose cells 1..12 differ, shown or hidden rows alike.
std::vector<ChannelDifference> compareTables(const ChannelTable& left, const ChannelTable& right);

// The channels whose record or name slot in `holds` differs from `wrote`, each with the
// decoded columns that differ (or the raw bytes, when the difference shows in no column).
std::vector<ChannelDifference> compareWrittenChannels(
    const MemoryImage& wrote, const MemoryImage& holds,
    const ChannelVocabulary& vocabulary = defaultVocabulary());

// "channel 12: RX Frequency(MHZ) 446.00625 -> 446.01250; CH-Name A -> B", with
// `arrow` between the two sides ("->", or ", radio holds" for a verify).
std::string describeDifference(const ChannelDifference& difference, const std::string& before,
                               const std::string& between);

}  // namespace lumo
