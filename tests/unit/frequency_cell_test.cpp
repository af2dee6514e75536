#include "channels/frequency_cell.h"

#include <gtest/gtest.h>

#include "base/document_dialogs.h"
#include "channels/channel_codec.h"
#include "channels/channel_document.h"
#include "channels/channel_keys.h"

namespace lumo {
namespace {

struct FrequencyCase {
    const char* typed;
    const char* shown;
    bool replaced;
};

// The band is 440..451 MHz with both limits outside it.
TEST(FrequencyCell, RoundsToTheChannelGridAndReplacesWhatLiesOutsideTheBand) {
    LanguageStrings strings;
    Session session(strings);
    session.setUp();
    const FrequencyCase cases[] = {
        {"446.00625", "446.00625", false},  // on the 6.25 kHz grid
        {"446.01", "446.01000", false},     // on the 5 kHz grid
        {"446.015", "446.01500", false},    // 5 kHz grid only, not the nearer 6.25 kHz step
        {"446.0075", "446.00625", false},
        {"446.004", "446.00625", false},    // not the nearer 5 kHz step 446.005
        {"446.003", "446.00000", false},
        {"446.003125", "446.00625", false},  // a tie goes up
        {"446.0062500001", "446.00625", false},
        {"440.5", "440.50000", false},
        {"440", "440.00000", true},
        {"451", "440.00000", true},
        {"430.5", "440.00000", true},
        {"1000000", "440.00000", true},
        {"450.999", "440.00000", true},  // rounds up onto the upper limit
        {"440.003", "440.00000", true},  // rounds down onto the lower limit
    };
    for (const FrequencyCase& c : cases) {
        const CheckedFrequency checked = checkFrequencyCell(c.typed, session);
        EXPECT_EQ(checked.text, c.shown) << c.typed;
        EXPECT_EQ(checked.replaced, c.replaced) << c.typed;
    }
    for (const char* notANumber : {".", "", "446.0.1", "4x"}) {
        EXPECT_THROW(checkFrequencyCell(notANumber, session), ConversionError) << notANumber;
    }
}

using KeyFilter = std::string (*)(std::string, char&, std::size_t);

struct KeyCase {
    const char* name;
    KeyFilter filter;
    std::size_t limit;
    const char* text;
    char key;
    const char* keptText;
    char passedKey;
};

TEST(CellKeyFilters, PassOnlyTheKeysACellTakesAndDropKeysPastTheLimit) {
    const KeyCase cases[] = {
        {"frequency digit", FilterFrequencyKey, 10, "446", '5', "446", '5'},
        {"frequency first point", FilterFrequencyKey, 10, "446", '.', "446", '.'},
        {"frequency second point", FilterFrequencyKey, 10, "446.5", '.', "446.5", kNoKey},
        {"frequency backspace", FilterFrequencyKey, 10, "446", kBackspace, "446", kBackspace},
        {"frequency backspace after point", FilterFrequencyKey, 10, "446.5", kBackspace, "446.5",
         kBackspace},
        {"frequency digit after point", FilterFrequencyKey, 10, "446.5", '0', "446.5", '0'},
        {"frequency letter", FilterFrequencyKey, 10, "446", 'e', "446", kNoKey},
        {"frequency minus", FilterFrequencyKey, 10, "446", '-', "446", kNoKey},
        {"frequency at the limit", FilterFrequencyKey, 10, "446.006250", '1', "446.006250", '1'},
        {"frequency over the limit", FilterFrequencyKey, 10, "446.0062500", '4', "446.0062500",
         kNoKey},
        {"frequency backspace over the limit", FilterFrequencyKey, 10, "446.0062500", kBackspace,
         "446.0062500", kBackspace},
        {"name lower case", FilterNameKey, 5, "AB", 'c', "AB", 'C'},
        {"name upper case", FilterNameKey, 5, "AB", 'Z', "AB", 'Z'},
        {"name digit", FilterNameKey, 5, "AB", '7', "AB", '7'},
        {"name backspace", FilterNameKey, 5, "AB", kBackspace, "AB", kBackspace},
        {"name point", FilterNameKey, 5, "AB", '.', "AB", kNoKey},
        {"name blank", FilterNameKey, 5, "AB", ' ', "AB", kNoKey},
        {"name minus", FilterNameKey, 5, "AB", '-', "AB", kNoKey},
        {"name at the limit", FilterNameKey, 5, "ABCDE", 'f', "ABCDE", 'F'},
        {"name over the limit", FilterNameKey, 5, "ABCDEF", 'g', "ABCDEF", kNoKey},
        {"name backspace over the limit", FilterNameKey, 5, "ABCDEF", kBackspace, "ABCDEF",
         kBackspace},
    };
    for (const KeyCase& c : cases) {
        char key = c.key;
        EXPECT_EQ(c.filter(c.text, key, c.limit), c.keptText) << c.name;
        EXPECT_EQ(key, c.passedKey) << c.name;
    }
}

TEST(FileDialogFilter, KeepsTheDescriptionOfEachPair) {
    EXPECT_EQ(descriptionsOfFilter("chnw file(*.chnw)|*.chnw"), "chnw file(*.chnw)");
    EXPECT_EQ(descriptionsOfFilter("chnw file(*.chnw)|*.chnw|All files(*.*)|*.*"),
              "chnw file(*.chnw);;All files(*.*)");
    EXPECT_EQ(descriptionsOfFilter(""), "");
    // The channel window offers its own file and CHIRP's CSV.
    EXPECT_EQ(descriptionsOfFilter(channelFileDialog().filter),
              "chnw file(*.chnw);;CHIRP CSV (*.csv)");
    EXPECT_EQ(channelFileDialog().defaultExtension, "chnw");
}

TEST(FileDialogFilter, PicksTheDescriptionThatShowsAProposedFile) {
    const std::string channels = channelFileDialog().filter;
    const struct {
        std::string filter;
        const char* file;
        const char* description;
    } cases[] = {
        {channels, "a.chnw", "chnw file(*.chnw)"},
        {channels, "a.csv", "CHIRP CSV (*.csv)"},
        {channels, "A.CSV", "CHIRP CSV (*.csv)"},
        {channels, "a.txt", ""},
        {channels, "chnw", ""},
        {"Text(*.txt;*.csv)|*.txt;*.csv", "a.csv", "Text(*.txt;*.csv)"},
        {"chnw file(*.chnw)|*.chnw|All files(*.*)|*.*", "a.img", "All files(*.*)"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(descriptionForFile(c.filter, c.file), c.description) << c.file;
    }
}

}  // namespace
}  // namespace lumo
