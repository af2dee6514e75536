#include "channels/channel_codec.h"

#include <algorithm>
#include <charconv>
#include <limits>

#include "base/decimal_number.h"
#include "base/frequency_text.h"

namespace lumo {
namespace {

constexpr std::uint8_t kEmpty = 0xFF;
constexpr std::uint16_t kNoTone = 0xFFFF;
constexpr std::uint8_t kFirstDcsHighByte = 0x28;
constexpr std::uint8_t kFirstInvertedHighByte = 0xA8;
constexpr std::uint16_t kDcsNormal = 0x2800;
constexpr std::uint16_t kDcsInverted = 0xA800;
// The Chinese word for off in GBK, which older channel files may hold.
constexpr std::string_view kGbkOff = "\xB9\xD8";

constexpr int kFirstOptionField = 5;
constexpr int kLastOptionField = 11;

// The text's number in tenths, a half to the even neighbour, as the radio stores a tone.
// A value below zero has no stored form: its digits would spill into the neighbouring
// bits.
std::uint32_t toneTenths(std::string_view text) {
    const auto number = readScaledNumber(text, 1);
    if (!number) {
        throw ConversionError(std::string(text), "is not a number");
    }
    const long long tenths = number->nearestHalfEven();
    if (tenths < 0 || tenths > std::numeric_limits<std::int32_t>::max()) {
        throw ConversionError(std::string(text), "is out of range");
    }
    return static_cast<std::uint32_t>(tenths);
}

// The first entry of `field` that `matches`, else the field's last entry (the one any
// other record byte or text stands for).
template <typename Match>
const OptionWord* findOptionWord(const OptionWords& words, int field, Match matches) {
    const OptionWord* found = nullptr;
    for (const OptionWord& entry : words) {
        if (descriptorField(entry.descriptor) != field) {
            continue;
        }
        found = &entry;
        if (matches(entry)) {
            break;
        }
    }
    return found;
}

}  // namespace

ConversionError::ConversionError(std::string text, const std::string& reason)
    : std::runtime_error("\"" + text + "\" " + reason), text_(std::move(text)) {}

ConversionError::ConversionError(const ConversionError& inner, int column)
    : std::runtime_error(inner.what()),
      text_(inner.text_),
      channel_(inner.channel_),
      column_(column) {}

ConversionError::ConversionError(const ConversionError& inner, int channel,
                                 std::string_view columnTitle)
    : std::runtime_error("channel " + std::to_string(channel) + ", " + std::string(columnTitle) +
                         ": " + inner.what()),
      text_(inner.text_),
      channel_(channel),
      column_(inner.column_) {}

MemoryImage blankMemoryImage() {
    MemoryImage image;
    image.fill(kEmpty);
    return image;
}

PreciseFrequency frequencyValue(std::string_view text) {
    const auto frequency = parseCellMegahertz(text);
    if (!frequency) {
        throw ConversionError(std::string(text), "is not a number");
    }
    return *frequency;
}

std::uint32_t EncodeFrequency(std::string_view text) {
    if (text.empty()) {
        return 0xFFFFFFFF;
    }
    const Frequency frequency = frequencyValue(text).nearestTenHertz();
    // Nothing below zero has a stored form; the codec has always refused 2^31 steps of
    // 10 Hz and more, and dropped the thousands of MHz below that.
    if (frequency < Frequency() ||
        frequency.tenHertz() > std::numeric_limits<std::int32_t>::max()) {
        throw ConversionError(std::string(text), "is out of range");
    }
    return frequency.toBcd();
}

std::uint16_t EncodeTone(std::string_view text) {
    if (text.empty() || text[0] == 'O' || text == kGbkOff) {
        return kNoTone;
    }
    if (text[0] == 'D') {
        const std::string_view digits = text.substr(1, 3);
        unsigned v = 0;
        const char* end = digits.data() + digits.size();
        const auto parsed = std::from_chars(digits.data(), end, v);
        if (digits.empty() || parsed.ec != std::errc() || parsed.ptr != end) {
            throw ConversionError(std::string(text), "is not a DCS code");
        }
        // Each decimal digit stands for one octal digit; 8 and 9 are let through.
        unsigned code = 0;
        for (unsigned divisor = 100; divisor >= 1; divisor /= 10) {
            code = (code << 3) | (v / divisor);
            v %= divisor;
        }
        const bool normal = text.size() >= 5 && text[4] == 'N';
        return static_cast<std::uint16_t>((normal ? kDcsNormal : kDcsInverted) | code);
    }
    const std::uint32_t code = toneTenths(text);
    // From 0x2800 on the radio reads a DCS code.
    if (code >= kDcsNormal) {
        throw ConversionError(std::string(text), "is out of range");
    }
    return static_cast<std::uint16_t>(code);
}

std::string decodeFrequency(std::span<const std::uint8_t, 4> bytes) {
    std::uint32_t digits = 0;
    for (std::size_t i = bytes.size(); i-- > 0;) {
        digits = (digits << 8) | bytes[i];
    }
    if (const auto frequency = Frequency::fromBcd(digits)) {
        return recordDigitText(*frequency);
    }
    // A nibble above 9 is no digit: it is shown as its number, in its place.
    std::string text;
    for (int nibble = 7; nibble >= 0; --nibble) {
        text += std::to_string((digits >> (4 * nibble)) & 0x0F);
        if (nibble == 5) {
            text += '.';
        }
    }
    return text;
}

std::string decodeTone(std::uint16_t code, const ChannelVocabulary& vocabulary) {
    const unsigned high = code >> 8;
    if (high == 0xFF) {
        return vocabulary.toneOff;
    }
    if (high < kFirstDcsHighByte) {
        return std::to_string(code / 10) + "." + std::to_string(code % 10);
    }
    // Eleven bits: from 512 on the first "digit" is a decimal number above 7, and the
    // text does not encode back to the same code.
    const unsigned c = code & 0x07FF;
    return "D" + std::to_string(c / 64) + std::to_string((c % 64) / 8) + std::to_string(c % 8) +
           (high < kFirstInvertedHighByte ? "N" : "I");
}

ChannelFields DecodeChannelRecord(std::span<const std::uint8_t, kChannelRecordSize> record,
                                  const ChannelVocabulary& vocabulary) {
    ChannelFields fields;
    if (record[3] == kEmpty && record[7] == kEmpty) {
        return fields;
    }
    if (record[3] != kEmpty) {
        fields[1] = decodeFrequency(record.subspan<0, 4>());
    }
    if (record[7] != kEmpty) {
        fields[2] = decodeFrequency(record.subspan<4, 4>());
    }
    fields[3] = decodeTone(static_cast<std::uint16_t>(record[8] | (record[9] << 8)), vocabulary);
    fields[4] = decodeTone(static_cast<std::uint16_t>(record[10] | (record[11] << 8)), vocabulary);
    for (int field = kFirstOptionField; field <= kLastOptionField; ++field) {
        const OptionWord* entry =
            findOptionWord(vocabulary.optionWords, field, [&](const OptionWord& w) {
                const std::uint8_t byte = record[descriptorByte(w.descriptor)];
                return (byte & static_cast<std::uint8_t>(~descriptorKeep(w.descriptor))) ==
                       descriptorValue(w.descriptor);
            });
        fields[static_cast<std::size_t>(field)] = entry != nullptr ? entry->word : std::string();
    }
    return fields;
}

ChannelRecord EncodeChannelRecord(const ChannelFields& fields,
                                  const ChannelVocabulary& vocabulary) {
    ChannelRecord record;
    record.fill(kEmpty);
    auto atColumn = [](int column, auto encode) {
        try {
            return encode();
        } catch (const ConversionError& e) {
            throw ConversionError(e, column);
        }
    };
    for (const int column : {1, 2}) {
        const std::uint32_t value = atColumn(
            column, [&] { return EncodeFrequency(fields[static_cast<std::size_t>(column)]); });
        const std::size_t at = column == 1 ? 0 : 4;
        for (std::size_t i = 0; i < 4; ++i) {
            record[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
        }
    }
    for (const int column : {3, 4}) {
        const std::uint16_t code =
            atColumn(column, [&] { return EncodeTone(fields[static_cast<std::size_t>(column)]); });
        const std::size_t at = column == 3 ? 8 : 10;
        record[at] = static_cast<std::uint8_t>(code & 0xFF);
        record[at + 1] = static_cast<std::uint8_t>(code >> 8);
    }
    for (int field = kFirstOptionField; field <= kLastOptionField; ++field) {
        const std::string& text = fields[static_cast<std::size_t>(field)];
        const OptionWord* entry = findOptionWord(
            vocabulary.optionWords, field, [&](const OptionWord& w) { return w.word == text; });
        if (entry == nullptr) {
            continue;
        }
        std::uint8_t& byte = record[descriptorByte(entry->descriptor)];
        byte = static_cast<std::uint8_t>((byte & descriptorKeep(entry->descriptor)) |
                                         descriptorValue(entry->descriptor));
    }
    return record;
}

NameCodes encodeName(std::string_view name) {
    NameCodes codes;
    codes.fill(kEmpty);
    for (std::size_t i = 0; i < std::min(name.size(), kNameLength); ++i) {
        char c = name[i];
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
        const std::size_t at = NameAlphabet.find(c);
        codes[i] = at == std::string_view::npos ? kEmpty : static_cast<std::uint8_t>(at);
    }
    return codes;
}

std::string decodeName(std::span<const std::uint8_t, kNameLength> codes) {
    std::string name;
    for (const std::uint8_t code : codes) {
        if (code == kEmpty) {
            break;
        }
        name += code < NameAlphabet.size() ? NameAlphabet[code] : kUnknownNameCharacter;
    }
    return name;
}

}  // namespace lumo
