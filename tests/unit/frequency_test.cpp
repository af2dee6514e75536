// Frequencies as the whole program reads, rounds, stores and writes them: a number typed
// into a cell, an exchange file's decimal, the channel raster, the record's digits, the
// texts of a frequency and of the bands, and the tone texts read by the same rules.
#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>

#include "base/frequency_text.h"
#include "base/session.h"
#include "channels/band_limits.h"
#include "channels/channel_codec.h"
#include "channels/frequency_cell.h"

namespace lumo {
namespace {

Session tarnSession(LanguageStrings& strings) {
    Session session(strings);
    session.setUp();
    return session;
}

// The hundredths of a hertz a typed number stands for, to the nearest; nothing for a
// text a cell does not take as a number.
std::optional<long long> typedCentihertz(std::string_view text) {
    const auto typed = parseCellMegahertz(text);
    return typed ? std::optional(typed->centihertz()) : std::nullopt;
}

TEST(TypedFrequency, ReadsTheNumbersACellTakes) {
    const struct {
        const char* text;
        std::optional<long long> centihertz;
    } cases[] = {
        {"446.00625", 44'600'625'000},
        {"446", 44'600'000'000},
        {"446.", 44'600'000'000},
        {".5", 50'000'000},
        {"-.5", -50'000'000},
        {"446.003125", 44'600'312'500},
        {"4.46e2", 44'600'000'000},
        {"4.4600625E2", 44'600'625'000},
        {"44600625e-5", 44'600'625'000},
        {"0.0000000446e10", 44'600'000'000},
        {"-446", -44'600'000'000},
        {"-0", 0},
        {"-0.000005", -500},
        {"000000000000000446.00625", 44'600'625'000},
        // Beyond the eighth decimal: the nearer hundredth, a half away from zero.
        {"446.000000005", 44'600'000'001},
        {"446.000000015", 44'600'000'002},
        {"446.0000000049", 44'600'000'000},
        {"446.0062500001", 44'600'625'000},
        {"446.00625000000000000000001", 44'600'625'000},
        {"999999999.99999999", 99'999'999'999'999'999},
        {"9.99999999999e8", 99'999'999'999'900'000},
        {"1e-4930", 0},
        // Not numbers: blanks, signs other than a leading minus, other characters,
        // and magnitudes beyond what a cell ever took.
        {"", std::nullopt},
        {".", std::nullopt},
        {"-", std::nullopt},
        {" 446", std::nullopt},
        {"446 ", std::nullopt},
        {"+446", std::nullopt},
        {"446.1x", std::nullopt},
        {"446,1", std::nullopt},
        {"446.0.1", std::nullopt},
        {"1e", std::nullopt},
        {"1e+", std::nullopt},
        {"0x1BE", std::nullopt},
        {"inf", std::nullopt},
        {"nan", std::nullopt},
        {"1e5000", std::nullopt},
        {"1.2e4932", std::nullopt},
        {"1e-5000", std::nullopt},
        {"3.36e-4932", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(typedCentihertz(c.text), c.centihertz) << c.text;
    }
}

// The record's eight digits as hex, or the codec's refusal.
std::string recordOf(std::string_view text) {
    try {
        char hex[16];
        std::snprintf(hex, sizeof hex, "%08X", EncodeFrequency(text));
        return hex;
    } catch (const ConversionError& e) {
        return e.what();
    }
}

// What the program makes of a typed number: the cell that keeps it (the band's limits
// outside), the limits of an edit, an import or a write (limits inside), the record.
TEST(TypedFrequency, DecidesTheCellTheBandAndTheRecord) {
    LanguageStrings strings;
    const Session session = tarnSession(strings);
    const struct {
        const char* text;
        const char* cell;
        bool replaced;
        bool heldByLimits;
        const char* record;
    } cases[] = {
        {"446.00625", "446.00625", false, true, "44600625"},
        {"446.003125", "446.00625", false, true, "44600312"},  // the record's tie goes even
        {"446.000015", "446.00000", false, true, "44600002"},
        {"446.0000050001", "446.00000", false, true, "44600001"},
        {"446.000005", "446.00000", false, true, "44600000"},
        {"446.0000049999999", "446.00000", false, true, "44600000"},
        {"440", "440.00000", true, true, "44000000"},
        {"451", "440.00000", true, true, "45100000"},
        {"440.000000001", "440.00000", true, true, "44000000"},
        {"439.999999999", "440.00000", true, true, "44000000"},
        {"450.9999999999", "440.00000", true, true, "45100000"},
        {"451.000000001", "440.00000", true, true, "45100000"},
        {"440.00000000000000000001", "440.00000", true, true, "44000000"},
        {"440.5", "440.50000", false, true, "44050000"},
        {"45.125", "440.00000", true, false, "04512500"},
        {"1234.5", "440.00000", true, false, "23450000"},  // the thousands drop out
        {"21474.83647", "440.00000", true, false, "47483647"},
        {"21474.83648", "440.00000", true, false, "\"21474.83648\" is out of range"},
        {"21474.836475", "440.00000", true, false, "\"21474.836475\" is out of range"},
        {"0.015625", "440.00000", true, false, "00001562"},
        {"0.046875", "440.00000", true, false, "00004688"},
        {"0", "440.00000", true, false, "00000000"},
        {"-0", "440.00000", true, false, "00000000"},
        {"1e-4930", "440.00000", true, false, "00000000"},
        // Below zero nothing is held, though the record rounds a hair below to zero.
        {"-0.000000001", "440.00000", true, false, "00000000"},
        {"-0.000005", "440.00000", true, false, "00000000"},
        {"-0.000006", "440.00000", true, false, "\"-0.000006\" is out of range"},
        {"-446", "440.00000", true, false, "\"-446\" is out of range"},
        {"999999999", "440.00000", true, false, "\"999999999\" is out of range"},
        {"1e9", "440.00000", true, false, "\"1e9\" is out of range"},
        {"1e400", "440.00000", true, false, "\"1e400\" is out of range"},
        {"-1e400", "440.00000", true, false, "\"-1e400\" is out of range"},
        {"1.18973149535723176502e4932", "440.00000", true, false,
         "\"1.18973149535723176502e4932\" is out of range"},
    };
    for (const auto& c : cases) {
        const CheckedFrequency checked = checkFrequencyCell(c.text, session);
        EXPECT_EQ(checked.text, c.cell) << c.text;
        EXPECT_EQ(checked.replaced, c.replaced) << c.text;
        EXPECT_EQ(bandsHold(session, frequencyValue(c.text)), c.heldByLimits) << c.text;
        EXPECT_EQ(recordOf(c.text), c.record) << c.text;
    }
    EXPECT_EQ(recordOf(""), "FFFFFFFF");
}

TEST(ChannelRaster, KeepsItsStepsAndTakesTheNearerStepOtherwise) {
    const struct {
        const char* text;
        bool onRaster;
        long long tenHertz;
    } cases[] = {
        {"446.00625", true, 44'600'625},  // a 6.25 kHz step
        {"446.01", true, 44'601'000},     // a 5 kHz step
        {"446.015", true, 44'601'500},    // a 5 kHz step, not the nearer 6.25 kHz one
        {"446.0075", false, 44'600'625},
        {"446.004", false, 44'600'625},  // not the nearer 5 kHz step 446.005
        {"446.003", false, 44'600'000},
        {"446.003125", false, 44'600'625},  // a tie goes up
        {"446.009375", false, 44'601'250},
        {"446.0031249", false, 44'600'000},
        {"446.00312499999", false, 44'600'625},  // the nearer hundredth is the tie
        {"446.0062500001", true, 44'600'625},    // on the step to the hundredth
        {"446.000000005", false, 44'600'000},
        {"446.010000005", false, 44'601'250},  // a hundredth off the 5 kHz step
        {"0.015625", false, 1'875},
        {"0", true, 0},
    };
    for (const auto& c : cases) {
        const PreciseFrequency typed = *parseCellMegahertz(c.text);
        EXPECT_EQ(isOnChannelRaster(typed), c.onRaster) << c.text;
        EXPECT_EQ(roundToChannelRaster(typed).tenHertz(), c.tenHertz) << c.text;
    }
}

TEST(ExchangeFrequency, ReadsDecimalTextExactly) {
    const struct {
        const char* text;
        std::optional<long long> centihertz;
    } cases[] = {
        {"446.00625", 44'600'625'000},
        {"446.006250", 44'600'625'000},
        {"440", 44'000'000'000},
        {"5", 500'000'000},
        {"0.6", 60'000'000},
        {"000446.1", 44'610'000'000},
        {"440.000001", 44'000'000'100},
        {"446.000000014", 44'600'000'001},  // the ninth decimal rounds, a half up
        {"446.000000005", 44'600'000'001},
        {"446.000000015", 44'600'000'002},
        {"446.123456789012345678", 44'612'345'679},
        {"999999999.99999999", 99'999'999'999'999'999},
        {"0999999999", 99'999'999'900'000'000},
        {"1000000000", std::nullopt},  // ten digits before the point
        {"", std::nullopt},
        {".5", std::nullopt},
        {"446.", std::nullopt},
        {"446.0.1", std::nullopt},
        {" 446", std::nullopt},
        {"446.00625 ", std::nullopt},
        {"+446", std::nullopt},
        {"-446", std::nullopt},
        {"4.46e2", std::nullopt},
        {"446.1x", std::nullopt},
    };
    for (const auto& c : cases) {
        const auto read = parseExchangeMegahertz(c.text);
        EXPECT_EQ(read ? std::optional(read->centihertz()) : std::nullopt, c.centihertz) << c.text;
    }
}

TEST(FrequencyText, WritesTheGridTheCsvAndTheShortestForms) {
    const struct {
        long long tenHertz;
        const char* grid;
        const char* csv;
    } forms[] = {
        {44'600'625, "446.00625", "446.006250"},
        {4'512'500, "45.12500", "45.125000"},
        {0, "0.00000", "0.000000"},
        {50'625, "0.50625", "0.506250"},
        {99'999'999, "999.99999", "999.999990"},
        {123'450'000, "1234.50000", "1234.500000"},
    };
    for (const auto& c : forms) {
        EXPECT_EQ(fiveDecimalText(Frequency::fromTenHertz(c.tenHertz)), c.grid) << c.tenHertz;
        EXPECT_EQ(sixDecimalText(Frequency::fromTenHertz(c.tenHertz)), c.csv) << c.tenHertz;
    }
    // The shortest form takes an exponent where that is shorter.
    const struct {
        long long tenHertz;
        const char* text;
    } limits[] = {
        {44'000'000, "440"},
        {45'100'000, "451"},
        {44'050'000, "440.5"},
        {0, "0"},
        {100'000'000, "1000"},
        {1'000'000'000, "10000"},
        {10'000'000'000, "1e+05"},
        {44'000'000'000, "440000"},
        {46'012'500, "460.125"},
        {44'000'625, "440.00625"},
        {1'250'000, "12.5"},
        {50'000, "0.5"},
        {625, "0.00625"},
        {12'345'678'901, "123456.78901"},
        {1, "1e-05"},
    };
    for (const auto& c : limits) {
        EXPECT_EQ(shortestDecimal(Frequency::fromTenHertz(c.tenHertz)), c.text) << c.tenHertz;
    }
}

TEST(RecordDigits, HoldEightDigitsOfTenHertz) {
    const struct {
        long long tenHertz;
        std::uint32_t digits;
    } stored[] = {
        {44'600'625, 0x44600625}, {4'512'500, 0x04512500},   {0, 0x00000000},
        {99'999'999, 0x99999999}, {123'450'000, 0x23450000}, {2'147'483'647, 0x47483647},
    };
    for (const auto& c : stored) {
        EXPECT_EQ(Frequency::fromTenHertz(c.tenHertz).toBcd(), c.digits) << c.tenHertz;
        EXPECT_EQ(EncodeFrequency(fiveDecimalText(Frequency::fromTenHertz(c.tenHertz))), c.digits)
            << c.tenHertz;
    }
    const struct {
        std::uint32_t digits;
        std::optional<long long> tenHertz;
        const char* text;
    } read[] = {
        {0x44600625, 44'600'625, "446.00625"},
        {0x04512500, 4'512'500, "045.12500"},
        {0x00000000, 0, "000.00000"},
        {0x99999999, 99'999'999, "999.99999"},
        // A nibble above 9 is no digit, and is written as its number.
        {0x4A600000, std::nullopt, "4106.00000"},
        {0x446006A5, std::nullopt, "446.006105"},
    };
    for (const auto& c : read) {
        const auto frequency = Frequency::fromBcd(c.digits);
        EXPECT_EQ(frequency ? std::optional(frequency->tenHertz()) : std::nullopt, c.tenHertz)
            << std::hex << c.digits;
        const std::uint8_t bytes[4] = {
            static_cast<std::uint8_t>(c.digits), static_cast<std::uint8_t>(c.digits >> 8),
            static_cast<std::uint8_t>(c.digits >> 16), static_cast<std::uint8_t>(c.digits >> 24)};
        EXPECT_EQ(decodeFrequency(bytes), c.text) << std::hex << c.digits;
    }
}

TEST(Bands, NameTheirLimitsAndHoldWhatLiesBetween) {
    LanguageStrings strings;
    Session session = tarnSession(strings);
    EXPECT_EQ(bandsText(session), "440-451 MHz");
    EXPECT_EQ(session.bandLimitsMessage(), "Device Tarn been detect!Band Limits[440-451Mhz]");
    session.Band2Low = Frequency::fromMegahertz(460);
    session.Band2High = Frequency::fromTenHertz(47'050'000);
    EXPECT_EQ(bandsText(session), "440-451 or 460-470.5 MHz");
    EXPECT_TRUE(bandsHold(session, frequencyValue("470.5")));
    EXPECT_FALSE(bandsHold(session, frequencyValue("455")));

    // Left open upward, a band holds every frequency from zero up and still names
    // itself as it always has.
    Session open = session;
    open.BandLow = open.Band2Low = Band::open().low;
    open.BandHigh = open.Band2High = Band::open().high;
    EXPECT_EQ(bandsText(open), "0-1.189731495357231765e+4932 MHz");
    for (const char* held : {"0", "-0", "446.00625", "1e9", "1e400"}) {
        EXPECT_TRUE(bandsHold(open, frequencyValue(held))) << held;
    }
    for (const char* below : {"-5", "-0.000000001"}) {
        EXPECT_FALSE(bandsHold(open, frequencyValue(below))) << below;
    }
}

TEST(FrequencyOffset, MovesAFrequencyToTheHundredth) {
    const struct {
        const char* from;
        char direction;
        const char* size;
        long long centihertz;
        long long onRaster;
    } cases[] = {
        {"446.00625", '+', "0.5", 44'650'625'000, 44'650'625},
        {"446.00625", '-', "5", 44'100'625'000, 44'100'625},
        {"446.00625", '+', "0.003124996", 44'600'937'500, 44'601'250},  // a raster tie
        {"446", '-', "0.000001", 44'599'999'900, 44'600'000},
    };
    for (const auto& c : cases) {
        const FrequencyOffset up = FrequencyOffset::of(*parseExchangeMegahertz(c.size));
        const PreciseFrequency to =
            *parseExchangeMegahertz(c.from) + (c.direction == '-' ? -up : up);
        EXPECT_EQ(to.centihertz(), c.centihertz) << c.from << c.direction << c.size;
        EXPECT_EQ(roundToChannelRaster(to).tenHertz(), c.onRaster)
            << c.from << c.direction << c.size;
    }
    EXPECT_TRUE(
        (*parseExchangeMegahertz("440") - FrequencyOffset::of(*parseExchangeMegahertz("441")))
            .isBelowZero());

    // Between two frequencies: the direction, and the size in 10 Hz steps.
    const Frequency rx = Frequency::fromTenHertz(44'600'625);
    const Frequency above = Frequency::fromTenHertz(44'650'625);
    EXPECT_GT(above - rx, FrequencyOffset());
    EXPECT_LT(rx - above, FrequencyOffset());
    EXPECT_EQ(rx - rx, FrequencyOffset());
    EXPECT_EQ((above - rx).size(), Frequency::fromTenHertz(50'000));
    EXPECT_EQ((rx - above).size(), Frequency::fromTenHertz(50'000));
    EXPECT_EQ(PreciseFrequency(rx) + (above - rx), PreciseFrequency(above));
}

// Tone texts are read by the same rules as a typed frequency, in tenths of a hertz.
TEST(ToneText, ReadsTenthsOfAHertzHalvesToEven) {
    const struct {
        const char* text;
        const char* code;
    } cases[] = {
        {"67.0", "029E"},
        {"67", "029E"},
        {"6.7e1", "029E"},
        {"1e1", "0064"},
        {"67.05", "029E"},
        {"67.15", "02A0"},
        {"67.049999999", "029E"},
        {"67.0500000001", "029F"},
        {"0.25", "0002"},
        {"0.75", "0008"},
        {"-0", "0000"},
        {"-0.04", "0000"},
        {"-0.05", "0000"},
        {"-0.15", "\"-0.15\" is out of range"},
        {"1023.94", "27FF"},
        {"1023.95", "\"1023.95\" is out of range"},
        {"214748364.7", "\"214748364.7\" is out of range"},
        {"1e400", "\"1e400\" is out of range"},
        {"1e5000", "\"1e5000\" is not a number"},
        {" 67", "\" 67\" is not a number"},
    };
    for (const auto& c : cases) {
        std::string code;
        try {
            char hex[8];
            std::snprintf(hex, sizeof hex, "%04X", EncodeTone(c.text));
            code = hex;
        } catch (const ConversionError& e) {
            code = e.what();
        }
        EXPECT_EQ(code, c.code) << c.text;
    }
}

}  // namespace
}  // namespace lumo
