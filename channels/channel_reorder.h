#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "channels/channel_table.h"

namespace lumo {

// An edit of many channels that would lose one, or names channels the table does not
// have. The message names the channel; the table is left as it was.
class ChannelEditRefused : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Where each channel row went: `newRowOf[r]` is the row now holding what row r held,
// 0 when it was deleted. Sized for every row of a table; rows an edit does not touch
// map to themselves.
using RowMoves = std::vector<int>;

// The edits below rearrange channels 1..lastChannel (the rows a window shows); rows
// past it are neither moved nor emptied. A channel moves whole: all its cells,
// hidden ones and the name included. `rows` lists channel numbers in any order.
// Each either completes or throws ChannelEditRefused without touching the table.

// An empty channel at `before`; the channels from there on shift down by one.
// Refused when the last channel is in use, as it would be pushed out.
RowMoves insertChannel(ChannelTable& table, int before, int lastChannel);

// The channels go; those below shift up and empty channels enter at the end.
RowMoves deleteChannels(ChannelTable& table, const std::vector<int>& rows, int lastChannel);

// The channels, in their order, taken out and put back as one block whose first
// channel becomes channel `first`; the others close up around it.
RowMoves moveChannelsTo(ChannelTable& table, const std::vector<int>& rows, int first,
                        int lastChannel);

// Each channel one place up (step -1) or down (+1), past its unpicked neighbour; a
// block moves together. Nothing moves when a picked channel is already at the end.
RowMoves moveChannelsBy(ChannelTable& table, const std::vector<int>& rows, int step,
                        int lastChannel);

// The block's first channel when `rows` are dropped in front of row `beforeRow`
// (lastChannel + 1 for after the last), for moveChannelsTo.
int firstRowOfDrop(const std::vector<int>& rows, int beforeRow);

enum class SortKey { RxFrequency, TxFrequency, Name };

// Reorders the channels among their own places, or all channels 1..lastChannel when
// `rows` is empty: by frequency as a number (a text that is none after those that
// are), or by name ignoring case (unnamed after named). Equal keys keep their order;
// empty channels go last.
RowMoves sortChannels(ChannelTable& table, const std::vector<int>& rows, SortKey key,
                      int lastChannel);

// "5", "5-9" or "5, 7-9": the numbers a message uses for a set of channels.
std::string channelNumbersText(const std::vector<int>& rows);

// "channel 5", "channels 5-9" or "channels 5, 7-9": numbers as channelNumbersText gives
// them, with the word for one channel or several.
std::string channelsNamed(std::string_view numbers);

}  // namespace lumo
