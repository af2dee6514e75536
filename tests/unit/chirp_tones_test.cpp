#include "channels/chirp_tones.h"

#include <gtest/gtest.h>

#include "channels/channel_codec.h"

namespace lumo {
namespace {

ChirpToneColumns columns(std::string tone, std::string rTone, std::string cTone, std::string dtcs,
                         std::string polarity, std::string rxDtcs, std::string cross) {
    return {std::move(tone),     std::move(rTone),  std::move(cTone), std::move(dtcs),
            std::move(polarity), std::move(rxDtcs), std::move(cross)};
}

// Each pair of our cells and the columns CHIRP has for it, the same both ways.
struct ToneCase {
    const char* encode;
    const char* decode;
    ChirpToneColumns columns;
};

const ToneCase kBothWays[] = {
    {"Off", "Off", {}},
    {"67.0", "Off", columns("Tone", "67.0", "88.5", "023", "NN", "023", "Tone->Tone")},
    {"100.0", "100.0", columns("TSQL", "100.0", "100.0", "023", "NN", "023", "Tone->Tone")},
    {"D754N", "D754N", columns("DTCS", "88.5", "88.5", "754", "NN", "754", "Tone->Tone")},
    {"D023I", "D023N", columns("DTCS", "88.5", "88.5", "023", "RN", "023", "Tone->Tone")},
    {"67.0", "71.9", columns("Cross", "67.0", "71.9", "023", "NN", "023", "Tone->Tone")},
    {"D025I", "Off", columns("Cross", "88.5", "88.5", "025", "RN", "023", "DTCS->")},
    {"Off", "D754I", columns("Cross", "88.5", "88.5", "023", "NR", "754", "->DTCS")},
    {"94.8", "D031N", columns("Cross", "94.8", "88.5", "023", "NN", "031", "Tone->DTCS")},
    {"D031I", "94.8", columns("Cross", "88.5", "94.8", "031", "RN", "023", "DTCS->Tone")},
    {"Off", "123.0", columns("Cross", "88.5", "123.0", "023", "NN", "023", "->Tone")},
    {"D023N", "D025I", columns("Cross", "88.5", "88.5", "023", "NR", "025", "DTCS->DTCS")},
};

TEST(ChirpTones, EachPairHasItsColumnsAndBack) {
    const ChannelVocabulary& vocabulary = defaultVocabulary();
    for (const ToneCase& c : kBothWays) {
        const std::string name = std::string(c.encode) + " / " + c.decode;
        EXPECT_EQ(chirpToneColumns({c.encode, c.decode}, vocabulary), c.columns) << name;
        std::vector<std::string> problems;
        EXPECT_EQ(channelTones(c.columns, vocabulary, problems), (ChannelTones{c.encode, c.decode}))
            << name;
        EXPECT_TRUE(problems.empty()) << name << ": " << problems.front();
    }
}

TEST(ChirpTones, EmptyCellsAreOffAndUnknownTonesNameTheirColumn) {
    const ChannelVocabulary& vocabulary = defaultVocabulary();
    EXPECT_EQ(chirpToneColumns({"", ""}, vocabulary), ChirpToneColumns{});
    const struct {
        const char* encode;
        const char* decode;
        int column;
    } bad[] = {{"67.1", "Off", 4}, {"Off", "D024N", 3}, {"D023X", "Off", 4}};
    for (const auto& b : bad) {
        try {
            chirpToneColumns({b.encode, b.decode}, vocabulary);
            ADD_FAILURE() << b.encode << " / " << b.decode << " accepted";
        } catch (const ConversionError& e) {
            EXPECT_EQ(e.column(), b.column) << b.encode << " / " << b.decode;
        }
    }
}

// Files written by CHIRP for other radios, or by hand, read as CHIRP reads them.
TEST(ChirpTones, ReadsColumnsAsChirpDoes) {
    const struct {
        const char* name;
        ChirpToneColumns columns;
        ChannelTones tones;
    } cases[] = {
        {"TSQL takes cToneFreq for both sides",
         columns("TSQL", "67.0", "100.0", "023", "NN", "023", "Tone->Tone"),
         {"100.0", "100.0"}},
        {"DTCS takes DtcsCode for both sides",
         columns("DTCS", "88.5", "88.5", "023", "NR", "754", "Tone->Tone"),
         {"D023N", "D023I"}},
        {"unused columns are not looked at",
         columns("Tone", "79.7", "junk", "999", "??", "", "nonsense"),
         {"79.7", "Off"}},
        {"words in any case, tones and codes without their zeros",
         columns("cross", "100", "88.50", "23", "rr", "65", "tone->dtcs"),
         {"100.0", "D065I"}},
        {"Tone-> is a transmit tone only",
         columns("Cross", "85.4", "88.5", "023", "NN", "023", "Tone->"),
         {"85.4", "Off"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> problems;
        EXPECT_EQ(channelTones(c.columns, defaultVocabulary(), problems), c.tones) << c.name;
        EXPECT_TRUE(problems.empty()) << c.name;
    }
}

TEST(ChirpTones, ColumnsTheRadioCannotUseAreProblemsNamingThem) {
    const struct {
        ChirpToneColumns columns;
        const char* problem;
    } cases[] = {
        {columns("Tone", "88.4", "", "", "NN", "", ""),
         "rToneFreq \"88.4\" is not a CTCSS tone of the radio"},
        {columns("TSQL", "", "1000", "", "NN", "", ""),
         "cToneFreq \"1000\" is not a CTCSS tone of the radio"},
        {columns("DTCS", "", "", "024", "NN", "", ""),
         "DtcsCode \"024\" is not a DCS code of the radio"},
        {columns("Cross", "", "", "", "NN", "7540", "->DTCS"),
         "RxDtcsCode \"7540\" is not a DCS code of the radio"},
        {columns("DTCS", "", "", "023", "NX", "", ""),
         "DtcsPolarity \"NX\" is not two letters N or R"},
        {columns("Cross", "", "", "", "NN", "", "Tone-DTCS"),
         "CrossMode \"Tone-DTCS\" is not a cross mode such as Tone->DTCS"},
        {columns("Cross", "", "", "", "NN", "", "->"),
         "CrossMode \"->\" is not a cross mode such as Tone->DTCS"},
        {columns("DV", "", "", "", "NN", "", ""),
         "Tone \"DV\" is not empty, Tone, TSQL, DTCS or Cross"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> problems;
        channelTones(c.columns, defaultVocabulary(), problems);
        EXPECT_EQ(problems, std::vector<std::string>{c.problem});
    }
}

}  // namespace
}  // namespace lumo
