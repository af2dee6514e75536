#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "channels/channel_vocabulary.h"

namespace lumo {

// The seven tone columns of a CHIRP CSV row. The defaults are what CHIRP writes into
// the columns a row does not use.
struct ChirpToneColumns {
    std::string tone;  // "", "Tone", "TSQL", "DTCS" or "Cross"
    std::string rToneFreq = "88.5";
    std::string cToneFreq = "88.5";
    std::string dtcsCode = "023";
    std::string dtcsPolarity = "NN";  // transmit, then receive: N normal, R reversed
    std::string rxDtcsCode = "023";
    std::string crossMode = "Tone->Tone";

    friend bool operator==(const ChirpToneColumns&, const ChirpToneColumns&) = default;
};

// A channel's two tone cells: `encode` the transmit tone (CTCSS/DCS Enc), `decode` the
// receive tone (CTCSS/DCS Dec), as the tone list words them.
struct ChannelTones {
    std::string encode;
    std::string decode;

    friend bool operator==(const ChannelTones&, const ChannelTones&) = default;
};

// The columns CHIRP uses for the pair: the plainest mode that says it (none, Tone,
// TSQL, DTCS), else Cross. An empty cell counts as Off. Throws ConversionError
// (column 4 for the encode cell, 3 for the decode cell) for a text the tone list
// does not hold.
ChirpToneColumns chirpToneColumns(const ChannelTones& tones, const ChannelVocabulary& vocabulary);

// The pair the columns stand for, read as CHIRP reads them: TSQL takes cToneFreq and
// DTCS takes DtcsCode for both sides. Only the columns the mode uses are looked at;
// a tone or code written without its decimals or leading zeros ("100", "23") is taken.
// Each column that cannot be used adds one problem naming it and its text, and leaves
// its side Off.
ChannelTones channelTones(const ChirpToneColumns& columns, const ChannelVocabulary& vocabulary,
                          std::vector<std::string>& problems);

}  // namespace lumo
