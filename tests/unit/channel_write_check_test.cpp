#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "channels/channel_column_set.h"
#include "channels/channel_commands.h"
#include "channels/channel_reorder.h"
#include "channels/channel_image.h"
#include "channels/channel_write_check.h"
#include "channels/channel_write_review.h"
#include "channels/chirp_csv.h"

namespace lumo {
namespace {

// The session of a normal start: the band 440-451 MHz.
class ChannelWriteCheck : public ::testing::Test {
  protected:
    ChannelWriteCheck() { session.setUp(); }
    LanguageStrings strings;
    Session session{strings};
};

// The window replaces a frequency it cannot take by "440.00000", so a write takes the
// band limits themselves.
TEST_F(ChannelWriteCheck, FrequenciesMustLieInsideTheBandOrAtItsLimits) {
    for (const std::string inside : {"440.00625", "450.99375", "446.1", "440.00000", "440", "451"}) {
        for (const int column : {1, 2}) {
            ChannelTable table;
            table.setCell(column, 128, inside);
            EXPECT_NO_THROW(checkTableForWrite(table, session)) << inside;
        }
    }
    for (const std::string outside : {"439.99375", "451.00625", "439.9875", "451.0125", "0"}) {
        for (const int column : {1, 2}) {
            ChannelTable table;
            table.setCell(column, 128, outside);
            try {
                checkTableForWrite(table, session);
                ADD_FAILURE() << outside;
            } catch (const ConversionError& e) {
                EXPECT_EQ(e.what(), "channel 128, " + columnName(table, column) + ": \"" + outside +
                                        "\" is outside 440-451 MHz");
                EXPECT_EQ(e.column(), column);
            }
        }
    }
}

// An edit, an imported file and a write agree on every value at and beside the limits.
TEST_F(ChannelWriteCheck, TheEditTheImportAndTheWriteTakeTheSameBandEdges) {
    const struct {
        const char* text;
        bool taken;
    } cases[] = {
        {"440", true},         {"440.0", true},      {"440.000000", true}, {"451", true},
        {"451.00000", true},   {"446.5", true},      {"439.99999", false}, {"439.999999", false},
        {"451.00001", false},  {"451.000001", false}, {"0", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        ChannelTable table;
        table.setCell(1, 1, "446.00000");
        bool edited = true;
        try {
            setChannelColumn(table, {1}, 1, c.text, ChannelTable::kShownRowCount, session);
        } catch (const ChannelEditRefused& e) {
            edited = false;
            EXPECT_EQ(std::string(e.what()),
                      std::string("RX: ") + c.text + " MHz is outside 440-451 MHz.");
        }
        bool imported = true;
        try {
            parseChirpCsv(std::string("Location,Frequency\n1,") + c.text + "\n", session);
        } catch (const ChirpCsvError&) {
            imported = false;
        }
        ChannelTable written;
        written.setCell(1, 1, c.text);
        EXPECT_EQ(edited, c.taken);
        EXPECT_EQ(imported, c.taken);
        EXPECT_EQ(writeProblems(written, session).empty(), c.taken);
    }
}

TEST_F(ChannelWriteCheck, EveryProblemIsFoundNotOnlyTheFirst) {
    ChannelTable table;
    table.setCell(1, 3, ".");
    table.setCell(2, 3, "452");
    table.setCell(1, 7, "446.1");
    table.setCell(4, 7, "12.3.4");
    table.setCell(1, 100, "430");  // hidden rows reach the radio too
    const std::vector<ConversionError> problems = writeProblems(table, session);
    ASSERT_EQ(problems.size(), 4u);
    EXPECT_EQ(problems[0].channel(), 3);
    EXPECT_EQ(problems[0].column(), 1);
    EXPECT_EQ(std::string(problems[1].what()),
              "channel 3, " + columnName(table, 2) + ": \"452\" is outside 440-451 MHz");
    EXPECT_EQ(problems[2].channel(), 7);
    EXPECT_EQ(problems[2].column(), 4);
    EXPECT_EQ(problems[3].channel(), 100);
    try {
        checkTableForWrite(table, session);
        ADD_FAILURE() << "not refused";
    } catch (const ConversionError& e) {
        EXPECT_STREQ(e.what(), problems[0].what());
    }
    const std::string listed = listWriteProblems(problems);
    EXPECT_EQ(std::count(listed.begin(), listed.end(), '\n'), 4);

    ChannelTable fine;
    fine.setCell(1, 1, "446.1");
    fine.setCell(3, 1, "D023N");
    EXPECT_TRUE(writeProblems(fine, session).empty());
}

// What a radio already holds goes back to it, in band or not; what it does not hold is
// checked as ever.
TEST_F(ChannelWriteCheck, OutOfBandChannelsTheRadioHoldsMayGoBack) {
    ChannelTable held;
    held.setCell(1, 120, "435.00000");
    held.setCell(2, 120, "435.00000");
    held.setCell(1, 5, "446.1");
    held.setCell(2, 5, "452");
    MemoryImage radio = blankMemoryImage();
    StoreGridToImage(held, radio);
    const struct {
        int column;
        int row;
        const char* text;
        bool refused;
    } cases[] = {
        {1, 120, "435.00000", false},  // as held
        {1, 120, "435", false},        // the same frequency, written otherwise
        {1, 120, "436", true},         // not held
        {2, 120, "435.00625", true},
        {2, 5, "452", false},          // TX held, RX in band
        {1, 5, "452", true},           // held, but in the other column
        {1, 6, "435.00000", true},     // held, but by another channel
        {1, 120, "x", true},           // not a number is never settled
    };
    for (const auto& c : cases) {
        ChannelTable table = held;
        table.setCell(c.column, c.row, c.text);
        EXPECT_EQ(!writeProblems(table, session, defaultVocabulary(), &radio).empty(), c.refused)
            << c.column << "," << c.row << " " << c.text;
    }
    EXPECT_EQ(writeProblems(held, session).size(), 3u);  // nothing known: all refused
    EXPECT_EQ(outOfBandHeld(held, session, radio),
              (std::vector<std::string>{
                  "channel 5: 452 MHz is outside 440-451 MHz; the radio already holds it",
                  "channel 120: 435.00000 MHz is outside 440-451 MHz; the radio already holds it"}));
}

TEST_F(ChannelWriteCheck, ChannelsAbove99ComeFromTheRadioWhenAFileHasNone) {
    ChannelTable radioTable;
    radioTable.setCell(1, 99, "446.1");
    radioTable.setCell(1, 100, "446.2");
    radioTable.setCell(12, 128, "LAST");
    radioTable.setCell(1, 128, "446.3");
    EXPECT_TRUE(usesChannelsAbove99(radioTable));
    MemoryImage radio = blankMemoryImage();
    StoreGridToImage(radioTable, radio);
    ChannelTable file;
    file.setCell(1, 99, "446.5");
    EXPECT_FALSE(usesChannelsAbove99(file));
    takeChannelsAbove99(file, radio);
    EXPECT_EQ(file.cell(1, 99), "446.5");  // the file's own channels stay
    EXPECT_EQ(file.cell(1, 100), "446.20000");
    EXPECT_EQ(file.cell(12, 128), "LAST");
    EXPECT_EQ(file.rowCount(), ChannelTable::kShownRowCount);
}

}  // namespace
}  // namespace lumo

namespace lumo {
namespace {

using Cells = std::vector<std::string>;

void putChannel(ChannelTable& table, int row, const Cells& cells) {
    for (int column = 1; column <= 12; ++column) {
        table.setCell(column, row, cells[static_cast<std::size_t>(column - 1)]);
    }
}

// Each column that changes is a line of its own, old -> new; a channel that comes or
// goes as a whole is one line with all it shows.
TEST(WriteReview, ListsTheChangesOldToNewOrSaysThereAreNone) {
    const Cells base{"446.00625", "446.00625", "Off", "Off", "High", "25K",
                     "Off",       "Off",       "QT",  "Off", "On",   "BASE"};
    ChannelTable radioTable;
    putChannel(radioTable, 2, base);
    MemoryImage radio = blankMemoryImage();
    StoreGridToImage(radioTable, radio);
    const KnownRadioChannels known{radio, "the last read, at 10:00:00"};

    EXPECT_EQ(reviewChannelWrite(radioTable, std::nullopt).kind, WriteReview::Kind::Unknown);
    const WriteReview same = reviewChannelWrite(radioTable, known);
    EXPECT_EQ(same.kind, WriteReview::Kind::NoChanges);
    EXPECT_EQ(same.source, "the last read, at 10:00:00");

    const struct {
        const char* what;
        std::function<void(ChannelTable&)> edit;
        Cells lines;
    } cases[] = {
        {"columns of a channel",
         [](ChannelTable& t) {
             t.setCell(5, 2, "Low");
             t.setCell(12, 2, "HOME");
         },
         {"channel 2, TX Power: High -> Low", "channel 2, CH-Name: BASE -> HOME"}},
        {"a new channel, in a hidden row too",
         [](ChannelTable& t) {
             putChannel(t, 5, {"446.1", "446.1", "Off", "D023N", "Low", "12.5K", "Off", "Off",
                               "QT", "Off", "On", "PMR"});
             putChannel(t, 128, {"440.5", "", "Off", "Off", "High", "25K", "Off", "Off", "QT",
                                 "Off", "On", ""});
         },
         {"channel 5: new, 446.10000 / 446.10000, Off, D023N, Low, 12.5K, Off, Off, QT, Off, On, PMR",
          "channel 128: new, 440.50000 / (empty), Off, Off, High, 25K, Off, Off, QT, Off, On"}},
        {"a channel emptied",
         [](ChannelTable& t) { putChannel(t, 2, Cells(12)); },
         {"channel 2: emptied (was 446.00625 / 446.00625, Off, Off, High, 25K, Off, Off, QT, Off, "
          "On, BASE)"}},
        {"a channel emptied but for its name",
         [](ChannelTable& t) {
             t.setCell(1, 2, "");
             t.setCell(2, 2, "");
         },
         {"channel 2: emptied (was 446.00625 / 446.00625, Off, Off, High, 25K, Off, Off, QT, Off, "
          "On, BASE)"}},
        {"new frequencies for a channel",
         [](ChannelTable& t) { t.setCell(2, 2, "446.5"); },
         {"channel 2, TX Frequency(MHZ): 446.00625 -> 446.50000"}},
    };
    for (const auto& c : cases) {
        ChannelTable edited = radioTable;
        c.edit(edited);
        const WriteReview changed = reviewChannelWrite(edited, known);
        EXPECT_EQ(changed.kind, WriteReview::Kind::Changes) << c.what;
        EXPECT_EQ(changed.changes, c.lines) << c.what;
    }
}

}  // namespace
}  // namespace lumo
