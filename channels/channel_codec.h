#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

#include "base/frequency.h"
#include "channels/channel_vocabulary.h"

namespace lumo {

// Where the channels lie. Radio address A of the channel area is image offset
// A - ChannelAreaBase; a channel's name slot lies NameAreaOffset after its record.
inline constexpr int ChannelCount = 128;
inline constexpr std::uint16_t ChannelAreaBase = 0x0010;
inline constexpr std::size_t NameAreaOffset = 0x1000;
inline constexpr std::size_t kChannelRecordSize = 16;
inline constexpr std::size_t kNameSlotSize = 16;
inline constexpr std::size_t kNameLength = 6;
inline constexpr std::size_t kMemoryImageSize = 8192;

// The channel area as the radio holds it, from radio address ChannelAreaBase on.
using MemoryImage = std::array<std::uint8_t, kMemoryImageSize>;
using ChannelRecord = std::array<std::uint8_t, kChannelRecordSize>;
using NameCodes = std::array<std::uint8_t, kNameLength>;

// An image whose every byte is 0xFF, as an erased radio holds it.
MemoryImage blankMemoryImage();

inline constexpr std::size_t recordOffset(int channel) {
    return static_cast<std::size_t>(channel - 1) * kChannelRecordSize;
}
inline constexpr std::size_t nameOffset(int channel) {
    return NameAreaOffset + recordOffset(channel);
}

// The texts of one channel row, indexed by table column: 1 RX and 2 TX frequency,
// 3 and 4 tones, 5..11 options, 12 name. Index 0 (the channel number) stays unused.
using ChannelFields = std::array<std::string, 13>;

inline constexpr std::string_view NameAlphabet = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
// Shown for a name code the alphabet has no character for.
inline constexpr char kUnknownNameCharacter = '?';

// A text the codec cannot turn into bytes. The message names the text; callers that
// know where the text stood add the channel and the column.
class ConversionError : public std::runtime_error {
  public:
    ConversionError(std::string text, const std::string& reason);
    // The same error, noting the column it came from.
    ConversionError(const ConversionError& inner, int column);
    // The same error placed in a table cell: "channel 5, RX Frequency(MHZ): ...".
    ConversionError(const ConversionError& inner, int channel, std::string_view columnTitle);

    const std::string& text() const { return text_; }
    int channel() const { return channel_; }
    int column() const { return column_; }

  private:
    std::string text_;
    int channel_ = 0;
    int column_ = 0;
};

// A frequency text in MHz as packed BCD digits in 10 Hz units, rounded as
// PreciseFrequency::nearestTenHertz does; the empty text gives 0xFFFFFFFF. Digits beyond
// 999.99999 MHz are dropped. Throws ConversionError.
std::uint32_t EncodeFrequency(std::string_view text);
// "Off", "67.0", "D023N" or "D754I" as a tone code; the empty text and any text
// starting with "O" give 0xFFFF. Throws ConversionError.
std::uint16_t EncodeTone(std::string_view text);
// The frequency of a frequency text in MHz, as a cell reads it (parseCellMegahertz).
// Throws ConversionError.
PreciseFrequency frequencyValue(std::string_view text);

std::string decodeFrequency(std::span<const std::uint8_t, 4> bytes);
std::string decodeTone(std::uint16_t code, const ChannelVocabulary& vocabulary);

// Fields 1..11 of a record; all empty (field 12 too) when neither frequency is set.
ChannelFields DecodeChannelRecord(std::span<const std::uint8_t, kChannelRecordSize> record,
                                  const ChannelVocabulary& vocabulary);
// The record of fields 1..11. Throws ConversionError naming the column.
ChannelRecord EncodeChannelRecord(const ChannelFields& fields, const ChannelVocabulary& vocabulary);

// The first six characters of a name, upper-cased, as alphabet codes; 0xFF for a
// character outside the alphabet and after the last one.
NameCodes encodeName(std::string_view name);
// The characters up to the first 0xFF.
std::string decodeName(std::span<const std::uint8_t, kNameLength> codes);

}  // namespace lumo
