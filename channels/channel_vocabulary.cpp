#include "channels/channel_vocabulary.h"

#include <string_view>

namespace lumo {
namespace {

// The tone vocabulary as stored: its first entry stands for the "Off" word of the
// string table, and the list ends at the marker.
constexpr std::string_view kToneListEnd = "$$$$";
constexpr std::string_view kToneListStorage[] = {
    "Off",   "67.0",  "69.3",  "71.9",  "74.4",  "77.0",  "79.7",       "82.5",  "85.4",
    "88.5",  "91.5",  "94.8",  "97.4",  "100.0", "103.5", "107.2",      "110.9", "114.8",
    "118.8", "123.0", "127.3", "131.8", "136.5", "141.3", "146.2",      "151.4", "156.7",
    "159.8", "162.2", "165.5", "167.9", "171.3", "173.8", "177.3",      "179.9", "183.5",
    "186.2", "189.9", "192.8", "196.6", "199.5", "203.5", "206.5",      "210.7", "218.1",
    "225.7", "229.1", "233.6", "241.8", "250.3", "254.1", kToneListEnd,
};

constexpr std::string_view kDcsCodes[] = {
    "023", "025", "026", "031", "032", "036", "043", "047", "051", "053", "054", "065",
    "071", "072", "073", "074", "114", "115", "116", "122", "125", "131", "132", "134",
    "143", "145", "152", "155", "156", "162", "165", "172", "174", "205", "212", "223",
    "225", "226", "243", "244", "245", "246", "251", "252", "255", "261", "263", "265",
    "266", "271", "274", "306", "311", "315", "325", "331", "332", "343", "346", "351",
    "356", "364", "365", "371", "411", "412", "413", "423", "431", "432", "445", "446",
    "452", "454", "455", "462", "464", "465", "466", "503", "506", "516", "523", "526",
    "532", "546", "565", "606", "612", "624", "627", "631", "632", "645", "654", "662",
    "664", "703", "712", "723", "731", "732", "734", "743", "754",
};

std::vector<std::string> makeToneList(const std::string& off) {
    std::vector<std::string> tones;
    tones.push_back(off);
    for (std::size_t i = 1; kToneListStorage[i] != kToneListEnd; ++i) {
        tones.emplace_back(kToneListStorage[i]);
    }
    for (const char polarity : {'N', 'I'}) {
        for (const std::string_view code : kDcsCodes) {
            tones.push_back("D" + std::string(code) + polarity);
        }
    }
    return tones;
}

}  // namespace

ChannelVocabulary makeChannelVocabulary(const LanguageStrings& strings) {
    ChannelVocabulary vocabulary;
    vocabulary.optionWords = {{
        {strings.wordHigh, 0x050D20DF},
        {strings.wordLow, 0x050D00DF},
        {strings.word25K, 0x060D10EF},
        {strings.word12_5K, 0x060D00EF},
        {strings.wordOn, 0x070E01FE},
        {strings.wordOff, 0x070E00FE},
        {"DTMF", 0x080C02FD},
        {strings.wordOff, 0x080C00FD},
        {"QT*DTMF", 0x090C409F},
        {"QT+DTMF", 0x090C209F},
        {"QT", 0x090C009F},
        {strings.wordOn, 0x0A0C08F7},
        {strings.wordOff, 0x0A0C00F7},
        {strings.wordOn, 0x0B0D40BF},
        {strings.wordOff, 0x0B0D00BF},
    }};
    vocabulary.toneOff = strings.wordOff;
    vocabulary.toneList = makeToneList(strings.wordOff);
    return vocabulary;
}

const ChannelVocabulary& defaultVocabulary() {
    static const ChannelVocabulary vocabulary = makeChannelVocabulary(defaultStrings());
    return vocabulary;
}

}  // namespace lumo
