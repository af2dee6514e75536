#pragma once

#include <string>

#include "channels/channel_table.h"

namespace lumo {

// What a screen reader says for a grid cell: "channel 5, RX Freq, 446.00625". An empty
// cell says "empty", so the listener can tell it from a cell that was skipped, and a
// picked channel's number cell says so.
std::string spokenCell(const ChannelTable& table, int column, int row, bool picked = false);
// Where the cell is, without its text: "channel 5, RX Freq", for what stands in for it.
std::string spokenCellPlace(const ChannelTable& table, int column, int row);

}  // namespace lumo
