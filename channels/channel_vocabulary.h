#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "base/languagestr.h"

namespace lumo {

// How an option field sits in a channel record, packed into 32 bits: bits 24-31 the
// field (column 5..11), bits 16-23 the record byte (12..14), bits 8-15 the value bits,
// bits 0-7 the bits of that byte the field leaves alone.
using BitDescriptor = std::uint32_t;

constexpr int descriptorField(BitDescriptor d) {
    return static_cast<int>(d >> 24);
}
constexpr std::size_t descriptorByte(BitDescriptor d) {
    return (d >> 16) & 0xFF;
}
constexpr std::uint8_t descriptorValue(BitDescriptor d) {
    return static_cast<std::uint8_t>((d >> 8) & 0xFF);
}
constexpr std::uint8_t descriptorKeep(BitDescriptor d) {
    return static_cast<std::uint8_t>(d & 0xFF);
}

struct OptionWord {
    std::string word;
    BitDescriptor descriptor = 0;
};

// The option fields' words and where each sits. Entries of one field stand together,
// the set entry first; the last entry of a field is the one any other text means.
using OptionWords = std::array<OptionWord, 15>;

// The words the channel columns offer, with the display words taken from the string
// table once at start-up. Read-only afterwards.
struct ChannelVocabulary {
    OptionWords optionWords;
    // Entries offered for the tone columns: the "Off" word, 50 CTCSS tones, 105 DCS
    // codes with "N", the same 105 with "I".
    std::vector<std::string> toneList;
    // The text of an absent tone.
    std::string toneOff;
};

ChannelVocabulary makeChannelVocabulary(const LanguageStrings& strings);

// The vocabulary built from the texts as they stand at program start.
const ChannelVocabulary& defaultVocabulary();

}  // namespace lumo
