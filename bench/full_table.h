#pragma once

#include <string>

#include "channels/channel_table.h"
#include "channels/channel_vocabulary.h"

namespace lumo::bench {

// All 128 channels set, with every kind of value: tones and DCS codes from the whole
// list, both powers, shifted transmit frequencies and a name each.
inline ChannelTable fullTable() {
    const ChannelVocabulary& words = defaultVocabulary();
    ChannelTable table;
    for (int row = 1; row <= ChannelCount; ++row) {
        const std::string frequency = "44" + std::to_string(row % 10) + ".00625";
        const std::string texts[] = {frequency,
                                     row % 3 ? frequency : "445.50000",
                                     words.toneList[static_cast<std::size_t>(row)],
                                     words.toneList[static_cast<std::size_t>(260 - row)],
                                     row % 2 ? "High" : "Low",
                                     "25K",
                                     "Off",
                                     "DTMF",
                                     "QT+DTMF",
                                     "Off",
                                     "On",
                                     "CH" + std::to_string(row)};
        for (int column = 1; column <= 12; ++column) {
            table.setCell(column, row, texts[column - 1]);
        }
    }
    return table;
}

}  // namespace lumo::bench
