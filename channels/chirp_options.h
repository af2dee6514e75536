#pragma once

#include <string>
#include <vector>

#include "channels/channel_codec.h"

namespace lumo {

// A channel's option cells (columns 5..11) as the CHIRP CSV columns that carry them:
// Power, Mode and Skip are CHIRP's own; BusyLock, OptSignal, SPUnmute and Without are
// ours, in our words; CHIRP warns of them as unknown fields and drops them when it
// saves.
struct ChirpOptionColumns {
    std::string power = "5.0W";  // "5.0W" for High, "1.0W" for Low
    std::string mode = "FM";     // "FM" for 25K, "NFM" for 12.5K
    std::string skip;            // "" while ScanningAdd is On, "S" when it is Off
    std::string busyLock;        // "On" or "Off"
    std::string optSignal;       // "DTMF" or "Off"
    std::string spUnmute;        // "QT", "QT+DTMF" or "QT*DTMF"
    std::string without;         // "On" or "Off"

    friend bool operator==(const ChirpOptionColumns&, const ChirpOptionColumns&) = default;
};

// The columns of cells 5..11 of `fields`. A cell holding none of its column's words
// stands for the column's last word, as the codec sends it to the radio.
ChirpOptionColumns chirpOptionColumns(const ChannelFields& fields,
                                      const ChannelVocabulary& vocabulary);

// Cells 5..11 of `fields` from the columns, read as CHIRP reads them: Power under 2 W
// ("1.0W", "0.5 W", "1") is Low, and so are "Low" and "L" of older files; anything else
// is High; Skip "S" or "P" takes the
// channel out of the scan. An empty column of ours takes a new channel's default
// (Busy Lock Off, OptSingal Off, SPUnmute QT, Without Off); an unknown word there does
// too, with a warning. A Mode other than FM or NFM is a problem. Words match in any
// case.
void readChirpOptionColumns(const ChirpOptionColumns& columns, const ChannelVocabulary& vocabulary,
                            ChannelFields& fields, std::vector<std::string>& problems,
                            std::vector<std::string>& warnings);

}  // namespace lumo
