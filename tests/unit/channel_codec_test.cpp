#include "channels/channel_codec.h"

#include <gtest/gtest.h>

#include <vector>

namespace lumo {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes littleEndian(std::uint32_t value) {
    return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
            static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
}

std::string decodeFrequencyBytes(const Bytes& bytes) {
    return decodeFrequency(std::span<const std::uint8_t, 4>(bytes.data(), 4));
}

Bytes bytesOf(const ChannelRecord& r) {
    return Bytes(r.begin(), r.end());
}

ChannelRecord record(const Bytes& bytes) {
    ChannelRecord r;
    std::copy(bytes.begin(), bytes.end(), r.begin());
    return r;
}

ChannelFields fields(std::vector<std::string> texts) {
    ChannelFields f;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        f[i + 1] = texts[i];
    }
    return f;
}

TEST(ChannelCodec, FrequencyTexts) {
    struct Case {
        std::string text;
        Bytes stored;
        std::string decoded;
    };
    const Case cases[] = {
        {"146.525", {0x00, 0x25, 0x65, 0x14}, "146.52500"},
        {"446.00625", {0x25, 0x06, 0x60, 0x44}, "446.00625"},
        {"45.125", {0x00, 0x25, 0x51, 0x04}, "045.12500"},
        // The thousands of MHz fall off the eight stored digits.
        {"1234.5", {0x00, 0x00, 0x45, 0x23}, "234.50000"},
        {"0", {0x00, 0x00, 0x00, 0x00}, "000.00000"},
        // Exact halves of 10 Hz go to the even neighbour.
        {"0.015625", {0x62, 0x15, 0x00, 0x00}, "000.01562"},
        {"0.046875", {0x88, 0x46, 0x00, 0x00}, "000.04688"},
        {"", {0xFF, 0xFF, 0xFF, 0xFF}, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(littleEndian(EncodeFrequency(c.text)), c.stored) << c.text;
        if (!c.decoded.empty()) {
            EXPECT_EQ(decodeFrequencyBytes(c.stored), c.decoded) << c.text;
        }
    }
    // A nibble above 9 prints as two digits and does not encode back to its bytes.
    const Bytes odd{0x00, 0x00, 0x60, 0x4A};
    EXPECT_EQ(decodeFrequencyBytes(odd), "4106.00000");
    EXPECT_NE(littleEndian(EncodeFrequency(decodeFrequencyBytes(odd))), odd);
}

TEST(ChannelCodec, ToneTexts) {
    const ChannelVocabulary& words = defaultVocabulary();
    struct Case {
        std::string text;
        std::uint16_t code;
        bool decodesBack;
    };
    const Case cases[] = {
        {"67.0", 0x029E, true},
        {"254.1", 0x09ED, true},
        {"100.0", 0x03E8, true},
        {"0.0", 0x0000, true},
        {"D023N", 0x2813, true},
        {"D754I", 0xA9EC, true},
        {"Off", 0xFFFF, true},
        {"OFF", 0xFFFF, false},
        {"", 0xFFFF, false},
        {"\xB9\xD8", 0xFFFF, false},
        // Exact halves go to the even neighbour.
        {"0.25", 0x0002, false},
        {"0.75", 0x0008, false},
        // Digits 8 and 9 are taken as octal digits and their bits ORed together.
        {"D089N", 0x2849, false},
        // Without an "N" in fifth place the code is inverted.
        {"D023", 0xA813, false},
        {"D023X", 0xA813, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EncodeTone(c.text), c.code) << c.text;
        if (c.decodesBack) {
            EXPECT_EQ(decodeTone(c.code, words), c.text) << c.text;
        }
    }
    EXPECT_EQ(decodeTone(0xFF12, words), "Off");
    EXPECT_EQ(decodeTone(0x27FF, words), "1023.9");
    EXPECT_EQ(decodeTone(0x29FF, words), "D777N");
    EXPECT_EQ(decodeTone(0xFEFF, words), "D2777I");
}

TEST(ChannelCodec, TextsThatCannotBeConvertedNameThemselves) {
    const std::string frequencies[] = {"abc", ".",   "446,1", " 446", "1e400",
                                       "nan", "inf", "-5",    "30000"};
    for (const std::string& text : frequencies) {
        try {
            EncodeFrequency(text);
            ADD_FAILURE() << text << " was accepted";
        } catch (const ConversionError& e) {
            EXPECT_EQ(e.text(), text);
            EXPECT_NE(std::string(e.what()).find("\"" + text + "\""), std::string::npos);
        }
    }
    // Tones from 1024 Hz on would be stored as DCS codes; below zero as garbage.
    const std::string tones[] = {"abc", "D", "DX23N", "D-12N", "1024.0", "-1", "6 7"};
    for (const std::string& text : tones) {
        EXPECT_THROW(EncodeTone(text), ConversionError) << text;
    }
}

TEST(ChannelCodec, EveryToneListEntryConvertsBackToItself) {
    const ChannelVocabulary& words = defaultVocabulary();
    ASSERT_EQ(words.toneList.size(), 261u);
    EXPECT_EQ(words.toneList[0], "Off");
    EXPECT_EQ(words.toneList[1], "67.0");
    EXPECT_EQ(words.toneList[50], "254.1");
    EXPECT_EQ(words.toneList[51], "D023N");
    EXPECT_EQ(words.toneList[155], "D754N");
    EXPECT_EQ(words.toneList[156], "D023I");
    EXPECT_EQ(words.toneList[260], "D754I");
    for (const std::string& tone : words.toneList) {
        EXPECT_EQ(decodeTone(EncodeTone(tone), words), tone);
    }
}

TEST(ChannelCodec, Records) {
    const ChannelVocabulary& words = defaultVocabulary();
    const Bytes emptyRow{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                         0xFF, 0xFF, 0xFF, 0xFF, 0x95, 0x8F, 0xFE, 0xFF};
    struct Case {
        const char* what;
        std::vector<std::string> texts;  // fields 1..11
        Bytes stored;
    };
    const Case cases[] = {
        {"empty row", {"", "", "", "", "", "", "", "", "", "", ""}, emptyRow},
        {"full row",
         {"446.00625", "446.00625", "Off", "Off", "High", "25K", "Off", "Off", "QT", "Off", "On"},
         {0x25, 0x06, 0x60, 0x44, 0x25, 0x06, 0x60, 0x44, 0xFF, 0xFF, 0xFF, 0xFF, 0x95, 0xFF, 0xFE,
          0xFF}},
        {"every option set",
         {"146.52500", "", "67.0", "D754I", "High", "25K", "On", "DTMF", "QT*DTMF", "On", "On"},
         {0x00, 0x25, 0x65, 0x14, 0xFF, 0xFF, 0xFF, 0xFF, 0x9E, 0x02, 0xEC, 0xA9, 0xDF, 0xFF, 0xFF,
          0xFF}},
        {"other options clear",
         {"146.52500", "146.52500", "D023N", "Off", "Low", "12.5K", "Off", "Off", "QT+DTMF", "Off",
          "Off"},
         {0x00, 0x25, 0x65, 0x14, 0x00, 0x25, 0x65, 0x14, 0x13, 0x28, 0xFF, 0xFF, 0xB5, 0x8F, 0xFE,
          0xFF}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(bytesOf(EncodeChannelRecord(fields(c.texts), words)), c.stored) << c.what;
        EXPECT_EQ(DecodeChannelRecord(record(c.stored), words), fields(c.texts)) << c.what;
    }
}

TEST(ChannelCodec, RecordEdgeCases) {
    const ChannelVocabulary& words = defaultVocabulary();
    Bytes allFF(16, 0xFF);
    EXPECT_EQ(DecodeChannelRecord(record(allFF), words), ChannelFields{});

    // Only a transmit frequency: the set bits of the erased option bytes all read as set.
    Bytes txOnly = allFF;
    std::copy_n(Bytes{0x25, 0x06, 0x60, 0x44}.begin(), 4, txOnly.begin() + 4);
    EXPECT_EQ(
        DecodeChannelRecord(record(txOnly), words),
        fields({"", "446.00625", "Off", "Off", "High", "25K", "On", "DTMF", "QT", "On", "On"}));

    // Words are matched exactly: any other spelling means the clear entry.
    const ChannelRecord lower =
        EncodeChannelRecord(fields({"446.1", "446.1", "Off", "Off", "high", "25k", "ON", "dtmf",
                                    "qt*dtmf", "on", "on"}),
                            words);
    EXPECT_EQ(lower[12], 0x95);
    EXPECT_EQ(lower[13], 0x8F);
    EXPECT_EQ(lower[14], 0xFE);

    // Both SPUnmute bits set is no word of its own: it reads as "QT" and is written as 0.
    Bytes both = Bytes{0x00, 0x25, 0x65, 0x14, 0xFF, 0xFF, 0xFF, 0xFF,
                       0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    const ChannelFields decoded = DecodeChannelRecord(record(both), words);
    EXPECT_EQ(decoded[9], "QT");
    EXPECT_EQ(EncodeChannelRecord(decoded, words)[12] & 0x60, 0x00);
}

TEST(ChannelCodec, ConversionErrorsNameTheColumn) {
    try {
        EncodeChannelRecord(fields({"446.1", "446.1", "Off", "7x"}), defaultVocabulary());
        FAIL();
    } catch (const ConversionError& e) {
        EXPECT_EQ(e.column(), 4);
        EXPECT_EQ(e.text(), "7x");
    }
}

TEST(ChannelCodec, DisplayWordsComeFromTheStringTable) {
    LanguageStrings strings;
    strings.word25K = "Wide";
    strings.word12_5K = "Narrow";
    strings.wordOn = "Ein";
    const ChannelVocabulary words = makeChannelVocabulary(strings);
    const ChannelFields row = fields(
        {"446.10000", "446.10000", "Off", "Off", "High", "Wide", "Ein", "Off", "QT", "Off", "Ein"});
    const ChannelRecord stored = EncodeChannelRecord(row, words);
    EXPECT_EQ(stored[13], 0xFF);
    EXPECT_EQ(stored[14], 0xFF);
    EXPECT_EQ(DecodeChannelRecord(stored, words), row);
}

TEST(ChannelCodec, Names) {
    struct Case {
        std::string text;
        Bytes codes;
        std::string decoded;
    };
    const Case cases[] = {
        {"ab-1", {0x0A, 0x0B, 0xFF, 0x01, 0xFF, 0xFF}, "AB"},
        {"Z9", {0x23, 0x09, 0xFF, 0xFF, 0xFF, 0xFF}, "Z9"},
        {"ABCDEFGH", {0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0x0F}, "ABCDEF"},
        {"", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, ""},
    };
    for (const Case& c : cases) {
        const NameCodes codes = encodeName(c.text);
        EXPECT_EQ(Bytes(codes.begin(), codes.end()), c.codes) << c.text;
        EXPECT_EQ(decodeName(codes), c.decoded) << c.text;
    }
    // Codes the alphabet has no character for show as "?".
    const NameCodes unknown{0x00, 0x24, 0xFE, 0x23, 0xFF, 0x01};
    EXPECT_EQ(decodeName(unknown), "0??Z");
}

}  // namespace
}  // namespace lumo
