#pragma once

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

#include "channels/channel_image.h"
#include "sim/sim_fault.h"
#include "sim/simulated_radio.h"

namespace lumo::test {

// Faults in the simulator's own spelling ("no-reply:3", "corrupt:0x0020"); a test with a
// misspelt fault fails at once.
inline std::vector<tarnsim::SimFault> faults(std::initializer_list<const char*> texts) {
    std::vector<tarnsim::SimFault> list;
    for (const char* text : texts) {
        std::string error;
        list.push_back(tarnsim::parseFault(text, error).value());
    }
    return list;
}

// Gives the radio the channel area a write of `table` would leave.
inline void loadChannels(tarnsim::SimulatedRadio& radio, const ChannelTable& table) {
    MemoryImage image = blankMemoryImage();
    StoreGridToImage(table, image);
    std::vector<std::uint8_t> memory(ChannelAreaBase + image.size(), 0xFF);
    std::copy(image.begin(), image.end(), memory.begin() + ChannelAreaBase);
    radio.radio().loadMemory(memory);
}

// One channel a test radio holds: receive and transmit on `frequency`, named `name`.
struct HeldChannel {
    int row;
    const char* frequency;
    const char* name = "";
};

// Gives the radio a table of just these channels.
inline void loadChannels(tarnsim::SimulatedRadio& radio, std::initializer_list<HeldChannel> channels) {
    ChannelTable table;
    for (const HeldChannel& channel : channels) {
        table.setCell(1, channel.row, channel.frequency);
        table.setCell(2, channel.row, channel.frequency);
        table.setCell(12, channel.row, channel.name);
    }
    loadChannels(radio, table);
}

// Gives the radio a table of one channel at `row`: receive and transmit on `frequency`,
// named `name`.
inline void loadChannel(tarnsim::SimulatedRadio& radio, int row, const std::string& frequency,
                        const std::string& name) {
    ChannelTable table;
    table.setCell(1, row, frequency);
    table.setCell(2, row, frequency);
    table.setCell(12, row, name);
    loadChannels(radio, table);
}

}  // namespace lumo::test
