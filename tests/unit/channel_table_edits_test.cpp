// Setting a column on many channels, finding, the clipboard text, templates, and the
// edits as the window runs them: one undo step each, refusals told and changing nothing.
#include "channels/channel_table_edits.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>

#include "channels/channel_clipboard.h"
#include "channels/channel_codec.h"
#include "channels/channel_column_set.h"
#include "channels/channel_find.h"
#include "channels/channel_templates.h"
#include "shell/template_files.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/support/test_files.h"

namespace lumo {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using Row = std::vector<std::string>;

Row channel(const std::string& rx, const std::string& tx, const std::string& name = "") {
    return {rx, tx, "Off", "Off", "High", "25K", "Off", "Off", "QT", "Off", "On", name};
}

class ChannelEditsTest : public ::testing::Test {
  protected:
    ChannelEditsTest() {
        session.setUp();
        put(1, channel("446.00625", "446.00625", "ONE"));
        put(3, channel("446.50000", "446.50000", "THREE"));
        put(4, channel("440.50000", "440.50000", "FOUR"));
    }

    void put(int row, const Row& cells) {
        for (int c = 1; c <= 12; ++c) {
            table.setCell(c, row, cells[static_cast<std::size_t>(c - 1)]);
        }
    }
    Row row(int r) const {
        Row cells;
        for (int c = 1; c <= 12; ++c) {
            cells.push_back(table.cell(c, r));
        }
        return cells;
    }

    LanguageStrings strings;
    Session session{strings};
    ChannelTable table{strings};
    test::ScriptedDialogs dialogs;
    ChannelEditor editor{table, session, dialogs, defaultVocabulary()};
    ChannelTableEdits edits{editor, session, dialogs};
};

struct SetCase {
    const char* what;
    std::vector<int> rows;
    int column;
    const char* value;
    std::vector<std::pair<int, Row>> after;  // empty when refused
    const char* refusal = "";
};

TEST_F(ChannelEditsTest, SetColumnGivesWhatTypingOrPickingWould) {
    const std::vector<SetCase> cases{
        {"power on channels and past an empty one", {1, 2, 3}, 5, "low",
         {{1, [] { auto r = channel("446.00625", "446.00625", "ONE"); r[4] = "Low"; return r; }()},
          {2, Row(12)},
          {3, [] { auto r = channel("446.50000", "446.50000", "THREE"); r[4] = "Low"; return r; }()}}},
        {"a tone", {4}, 3, "d023n",
         {{4, [] { auto r = channel("440.50000", "440.50000", "FOUR"); r[2] = "D023N"; return r; }()}}},
        {"TX below RX", {3}, 2, "rx-0.6", {{3, channel("446.50000", "445.90000", "THREE")}}},
        {"TX rounded as typed", {1}, 2, "RX + 0.0015", {{1, channel("446.00625", "446.00625", "ONE")}}},
        {"TX above the band", {1, 3}, 2, "rx+5", {}, "Channel 1, TX: 451.00625 MHz is outside 440-451 MHz"},
        {"TX emptied", {3}, 2, "",
         {{3, channel("446.50000", "", "THREE")}}},
        {"RX makes a new channel", {2}, 1, "446.004", {{2, channel("446.00625", "446.00625")}}},
        {"RX outside the band", {2}, 1, "430", {}, "outside 440-451 MHz"},
        {"RX at the band's lower limit", {2}, 1, "440.0", {{2, channel("440.00000", "440.00000")}}},
        {"TX at the band's upper limit", {4}, 2, "451", {{4, channel("440.50000", "451.00000", "FOUR")}}},
        {"a name", {1, 4}, 12, "ab1",
         {{1, channel("446.00625", "446.00625", "AB1")}, {4, channel("440.50000", "440.50000", "AB1")}}},
        {"a name with a dash", {1}, 12, "AB-1", {}, "not a channel name"},
        {"a name too long", {1}, 12, "ABCDEFG", {}, "not a channel name"},
        {"an entry the column lacks", {1}, 5, "Medium", {}, "(High, Low)"},
        {"only empty channels", {2, 5}, 5, "Low", {}, "None of channels 2, 5 has an RX frequency"},
    };
    for (const SetCase& c : cases) {
        ChannelTable start = table;
        ChannelTable work = table;
        if (c.after.empty()) {
            try {
                setChannelColumn(work, c.rows, c.column, c.value, 99, session);
                ADD_FAILURE() << c.what << ": not refused";
            } catch (const ChannelEditRefused& e) {
                EXPECT_THAT(e.what(), HasSubstr(c.refusal)) << c.what;
            }
            EXPECT_EQ(work, start) << c.what;
            continue;
        }
        setChannelColumn(work, c.rows, c.column, c.value, 99, session);
        for (const auto& [r, cells] : c.after) {
            Row got;
            for (int col = 1; col <= 12; ++col) {
                got.push_back(work.cell(col, r));
            }
            EXPECT_EQ(got, cells) << c.what << ", row " << r;
        }
    }
}

// The Set column dialog shows a TX value it was answered with again as it was entered,
// and what it enters is what setChannelColumn takes.
TEST(SetColumnChoice, TxEntriesAndValuesMatchBothWays) {
    const struct {
        TxEntry entry;
        const char* value;
    } cases[] = {
        {{TxWay::SameAsRx, ""}, "rx"},
        {{TxWay::RxPlus, "0.6"}, "rx+0.6"},
        {{TxWay::RxMinus, "5"}, "rx-5"},
        {{TxWay::RxPlus, ""}, "rx+"},
        {{TxWay::Frequency, "446.1"}, "446.1"},
        {{TxWay::Frequency, ""}, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(txValue(c.entry), c.value);
        EXPECT_EQ(txEntryOf(c.value), c.entry) << c.value;
    }
    LanguageStrings strings;
    Session session(strings);
    session.setUp();
    ChannelTable table;
    table.setCell(1, 1, "446.00625");
    setChannelColumn(table, {1}, 2, txValue({TxWay::RxMinus, "0.6"}), 99, session);
    EXPECT_EQ(table.cell(2, 1), "445.40625");
}

TEST_F(ChannelEditsTest, ColumnsAreNamedByTitleCsvTitleOrShortName) {
    EXPECT_EQ(columnNamed("TX Power", strings), 5);
    EXPECT_EQ(columnNamed("power", strings), 5);
    EXPECT_EQ(columnNamed("BusyLock", strings), 7);
    EXPECT_EQ(columnNamed("Frequency", strings), 1);
    EXPECT_EQ(columnNamed("tx", strings), 2);
    EXPECT_EQ(columnNamed("scanadd", strings), 11);
    EXPECT_EQ(columnNamed("Channel", strings), std::nullopt);
    EXPECT_EQ(columnNamed("colour", strings), std::nullopt);
}

TEST_F(ChannelEditsTest, FindGoesRoundByNameOrFrequency) {
    EXPECT_EQ(findChannel(table, "three", 0, 99), 3);
    EXPECT_EQ(findChannel(table, "O", 1, 99), 4);    // FOUR, after ONE
    EXPECT_EQ(findChannel(table, "O", 4, 99), 1);    // round past the end
    EXPECT_EQ(findChannel(table, "446.5", 0, 99), 3);  // equal as a number
    EXPECT_EQ(findChannel(table, "446.00", 0, 99), 1);  // leading digits
    EXPECT_EQ(findChannel(table, "440", 0, 99), 4);
    EXPECT_EQ(findChannel(table, "447", 0, 99), std::nullopt);
    EXPECT_EQ(findChannel(table, " ", 0, 99), std::nullopt);
}

TEST_F(ChannelEditsTest, ClipboardTextRoundTripsAndPasteChecksLikeAFile) {
    const std::string text = channelsAsClipboardText(table, {1, 2, 3});
    EXPECT_TRUE(holdsChannelText(text));
    EXPECT_THAT(text, HasSubstr("Location\tName\tFrequency\t"));
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3);  // titles and two channels

    std::vector<CsvLineNote> warnings;
    EXPECT_THAT(pasteChannelText(table, text, 7, 99, session, warnings), ElementsAre(7, 8));
    EXPECT_EQ(row(7), row(1));
    EXPECT_EQ(row(8), row(3));

    // A spreadsheet's own columns, without Location, in another order.
    const std::string sheet = "Frequency\tName\tPower\n446.1\tsheet\tlow\n";
    EXPECT_THAT(pasteChannelText(table, sheet, 10, 99, session, warnings), ElementsAre(10));
    EXPECT_EQ(table.cell(1, 10), "446.10000");
    EXPECT_EQ(table.cell(5, 10), "Low");
    EXPECT_EQ(table.cell(12, 10), "SHEET");

    const ChannelTable before = table;
    EXPECT_THROW(pasteChannelText(table, text, 99, 99, session, warnings), ChannelEditRefused);
    const std::string bad = sheet + "452\tbad\tHigh\n";
    try {
        pasteChannelText(table, bad, 20, 99, session, warnings);
        ADD_FAILURE() << "a bad line was pasted";
    } catch (const ChirpCsvError& e) {
        EXPECT_THAT(e.what(), HasSubstr("line 3"));
        // The user pasted text and opened no file: the refusal says so.
        EXPECT_THAT(pasteRefusal(e), ::testing::StartsWith("The pasted text is refused; nothing was "
                                                           "pasted:\nline 3: "));
        EXPECT_THAT(pasteRefusal(e), ::testing::Not(HasSubstr("CSV")));
    }
    EXPECT_EQ(table, before);
    // Pasted in the window, it is refused in a warning box and changes nothing.
    editor.CurrentRow = 20;
    EXPECT_FALSE(edits.paste(bad));
    EXPECT_EQ(table, before);
    ASSERT_EQ(dialogs.warnings().size(), 1u);
    EXPECT_THAT(dialogs.warnings()[0], ::testing::StartsWith("The pasted text is refused; nothing was "
                                                             "pasted:\nline 3: "));

    EXPECT_FALSE(holdsChannelText("446.1\t446.1\n"));
    EXPECT_FALSE(holdsChannelText("Location,Frequency\n1,446.1\n"));
}

TEST_F(ChannelEditsTest, EachEditIsOneUndoStepAndTheCursorFollowsItsChannel) {
    editor.CurrentCol = 1;
    editor.CurrentRow = 3;
    edits.selection().set({3, 4});
    ASSERT_TRUE(edits.moveBy(-1));
    EXPECT_EQ(row(2), channel("446.50000", "446.50000", "THREE"));
    EXPECT_EQ(editor.CurrentRow, 2);
    EXPECT_THAT(edits.selection().channels(), ElementsAre(2, 3));
    ASSERT_TRUE(edits.setColumn(5, "Low"));
    ASSERT_TRUE(editor.undo());
    EXPECT_EQ(table.cell(5, 2), "High");
    ASSERT_TRUE(editor.undo());
    EXPECT_EQ(row(3), channel("446.50000", "446.50000", "THREE"));
    EXPECT_EQ(editor.CurrentRow, 3);  // back where the move began
    ASSERT_TRUE(editor.redo());
    EXPECT_EQ(editor.CurrentRow, 2);

    // A refusal is told, and leaves no step to undo.
    ASSERT_TRUE(editor.undo());
    EXPECT_FALSE(edits.setColumn(5, "Medium"));
    EXPECT_THAT(dialogs.messages(), ElementsAre(HasSubstr("Medium")));
    ASSERT_TRUE(editor.redo());
    EXPECT_EQ(editor.CurrentRow, 2);
}

TEST_F(ChannelEditsTest, AHalfTypedChannelIsSettledBeforeAnEdit) {
    // The user has typed an RX in channel 2 and not left the cell: the sort must not
    // carry a channel without its TX and options.
    editor.CurrentCol = 1;
    editor.CurrentRow = 2;
    editor.typeText(1, 2, "441.004");
    ASSERT_TRUE(edits.sort(SortKey::RxFrequency, true));
    EXPECT_EQ(row(1), channel("440.50000", "440.50000", "FOUR"));
    EXPECT_EQ(row(2), channel("441.00625", "441.00625"));
    ASSERT_TRUE(editor.undo());  // the sort
    EXPECT_EQ(row(2), channel("441.00625", "441.00625"));
    ASSERT_TRUE(editor.undo());  // the typing and its settling, as one step
    EXPECT_EQ(row(2), Row(12));

    session.Busy = true;
    EXPECT_FALSE(edits.deleteChannels());
    EXPECT_EQ(row(1), channel("446.00625", "446.00625", "ONE"));
}

TEST_F(ChannelEditsTest, InsertDeleteAndPasteKeepThePickedChannels) {
    editor.CurrentCol = 2;
    editor.CurrentRow = 3;
    ASSERT_TRUE(edits.insertChannel());
    EXPECT_EQ(row(3), Row(12));
    EXPECT_EQ(row(4), channel("446.50000", "446.50000", "THREE"));
    EXPECT_EQ(editor.CurrentCol, 1);  // ready to type the new channel's RX

    edits.selection().set({1, 4});
    const auto copied = edits.copy();
    ASSERT_TRUE(copied);
    ASSERT_TRUE(edits.deleteChannels());
    EXPECT_TRUE(edits.selection().empty());
    EXPECT_EQ(row(3), channel("440.50000", "440.50000", "FOUR"));

    editor.CurrentRow = 10;
    ASSERT_TRUE(edits.paste(*copied));
    EXPECT_THAT(edits.selection().channels(), ElementsAre(10, 11));
    EXPECT_EQ(row(11), channel("446.50000", "446.50000", "THREE"));

    // The clipboard still holding this window's own one-row copy: the row menu's
    // Paste, which leaves the frequencies of rows below 81 alone.
    edits.selection().clear();
    editor.CurrentRow = 3;
    const auto own = edits.copy();
    ASSERT_TRUE(own);
    editor.CurrentRow = 20;
    ASSERT_TRUE(edits.paste(*own));
    EXPECT_EQ(table.cell(1, 20), "");
    EXPECT_EQ(table.cell(12, 20), "FOUR");
    // Any other clipboard text without column titles is the same one-row Paste.
    editor.CurrentRow = 85;
    ASSERT_TRUE(edits.paste("hello"));
    EXPECT_EQ(row(85), channel("440.50000", "440.50000", "FOUR"));

    edits.selection().set({98, 99});
    table.setCell(1, 99, "446.1");
    EXPECT_FALSE(edits.insertChannel());
    EXPECT_THAT(dialogs.messages().back(), HasSubstr("Channel 99 is in use"));
}

// The picks stand on channels, not on row numbers: an insert picks the new channel, so
// the next command on the picks reaches it; undo and redo bring back the picks the
// channels had.
TEST_F(ChannelEditsTest, PicksFollowTheirChannelsThroughInsertMoveUndoAndRedo) {
    edits.selection().set({3});
    ASSERT_TRUE(edits.insertChannel());
    EXPECT_THAT(edits.selection().channels(), ElementsAre(3));
    EXPECT_EQ(row(3), Row(12));
    ASSERT_TRUE(edits.deleteChannels());  // the blank goes, not THREE
    EXPECT_EQ(row(3), channel("446.50000", "446.50000", "THREE"));

    ASSERT_TRUE(editor.undo());  // the delete: the blank is back, and picked
    EXPECT_EQ(row(3), Row(12));
    EXPECT_THAT(edits.selection().channels(), ElementsAre(3));
    ASSERT_TRUE(editor.undo());  // the insert: THREE is back where it stood, picked
    EXPECT_EQ(row(3), channel("446.50000", "446.50000", "THREE"));
    EXPECT_THAT(edits.selection().channels(), ElementsAre(3));
    ASSERT_TRUE(editor.redo());
    EXPECT_EQ(row(3), Row(12));
    EXPECT_THAT(edits.selection().channels(), ElementsAre(3));
    ASSERT_TRUE(editor.undo());

    edits.selection().set({3, 4});
    ASSERT_TRUE(edits.moveBy(1));
    EXPECT_THAT(edits.selection().channels(), ElementsAre(4, 5));
    ASSERT_TRUE(editor.undo());
    EXPECT_EQ(row(3), channel("446.50000", "446.50000", "THREE"));
    EXPECT_THAT(edits.selection().channels(), ElementsAre(3, 4));
    ASSERT_TRUE(editor.redo());
    EXPECT_THAT(edits.selection().channels(), ElementsAre(4, 5));
}

TEST(ChannelTemplatesTest, Pmr446HasSixteenNarrowLowChannels) {
    LanguageStrings strings;
    const ChannelTable table = pmr446Table(strings);
    EXPECT_EQ(table.rowCount(), ChannelTable::kShownRowCount);
    EXPECT_EQ(table.rowFields(1)[1], "446.00625");
    EXPECT_EQ(table.rowFields(16)[1], "446.19375");
    EXPECT_TRUE(table.rowIsEmpty(17));
    for (int row = 1; row <= 16; ++row) {
        const ChannelFields cells = table.rowFields(row);
        EXPECT_EQ(cells[2], cells[1]);
        EXPECT_EQ(cells[3], "Off");
        EXPECT_EQ(cells[4], "Off");
        EXPECT_EQ(cells[5], "Low");
        EXPECT_EQ(cells[6], "12.5K");
        EXPECT_EQ(cells[12], "PMR" + std::to_string(row));
        EXPECT_NO_THROW(EncodeChannelRecord(cells, defaultVocabulary()));
    }
}

TEST(ChannelTemplatesTest, TemplateFilesAreCsvAndChnwByName) {
    test::TempDir folder;
    for (const char* name : {"b.CHNW", "a.csv", "notes.txt"}) {
        std::ofstream(folder / name) << "x";
    }
    std::filesystem::create_directory(folder / "dir.csv");
    const auto files = listTemplateFiles(folder.path());
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0].filename(), "a.csv");
    EXPECT_EQ(files[1].filename(), "b.CHNW");
    EXPECT_TRUE(listTemplateFiles(folder / "missing").empty());
}

}  // namespace
}  // namespace lumo
