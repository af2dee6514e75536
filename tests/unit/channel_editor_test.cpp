#include "channels/channel_editor.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "channels/channel_document.h"
#include "channels/channel_file.h"
#include "channels/channel_keys.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/support/test_files.h"

namespace lumo {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using Row = std::vector<std::string>;

const char* const kOverflow = "Overflow,auto change to connect value!";

// What a freshly entered channel holds when only its RX frequency was typed.
Row newChannel(const std::string& frequency) {
    return {frequency, frequency, "Off", "Off", "High", "25K", "Off", "Off", "QT", "Off", "On", ""};
}

class ChannelEditorTest : public ::testing::Test {
  protected:
    ChannelEditorTest() { session.setUp(); }

    // Cells 1..12 of a row.
    Row row(int r) const {
        Row cells;
        for (int c = 1; c <= 12; ++c) {
            cells.push_back(table.cell(c, r));
        }
        return cells;
    }

    void fillRow(int r, const std::string& tag) {
        for (int c = 1; c <= 12; ++c) {
            table.setCell(c, r, tag + std::to_string(c));
        }
    }

    // The user types an RX frequency into row `r` and moves on to its TX cell.
    void enterChannel(int r, const std::string& frequency = "446.00625") {
        editor.CurrentCol = 1;
        editor.CurrentRow = r;
        editor.typeText(1, r, frequency);
        ASSERT_TRUE(editor.mayEnterCell(2, r));
    }

    LanguageStrings strings;
    Session session{strings};
    ChannelTable table{strings};
    test::ScriptedDialogs dialogs;
    ChannelEditor editor{table, session, dialogs, defaultVocabulary()};
};

// --- Selecting a cell and what leaving the current one does ---

TEST_F(ChannelEditorTest, TheWithoutAndNumberColumnsAreNeverSelected) {
    enterChannel(5);
    EXPECT_FALSE(editor.mayEnterCell(10, 5));
    EXPECT_FALSE(editor.mayEnterCell(0, 5));
    editor.beginShow();
    EXPECT_FALSE(editor.mayEnterCell(10, 5));
}

TEST_F(ChannelEditorTest, LeavingAnEmptiedRxFrequencyEmptiesItsRow) {
    fillRow(5, "x");
    fillRow(6, "y");
    editor.CurrentCol = 1;
    editor.CurrentRow = 5;
    editor.typeText(1, 5, "");
    EXPECT_TRUE(editor.mayEnterCell(3, 6));
    EXPECT_EQ(row(5), Row(12, ""));
    EXPECT_EQ(table.cell(1, 6), "y1");
    EXPECT_EQ(table.cell(12, 6), "y12");
}

TEST_F(ChannelEditorTest, LeavingAnEmptiedTxFrequencySwitchesTheTransmitToneOff) {
    enterChannel(5);
    table.setCell(4, 5, "67.0");
    editor.typeText(2, 5, "");
    EXPECT_TRUE(editor.mayEnterCell(12, 5));
    EXPECT_EQ(table.cell(4, 5), "Off");
    EXPECT_EQ(table.cell(1, 5), "446.00625");
}

TEST_F(ChannelEditorTest, OptionCellsOfARowWithoutRxFrequencyAreRefusedOutsideShowing) {
    for (int col = 4; col <= 11; ++col) {
        if (col == 10) {
            continue;
        }
        editor.PlaceCombo = false;
        EXPECT_FALSE(editor.mayEnterCell(col, 6)) << col;
        // The cursor stays on the cell it was on.
        EXPECT_EQ(editor.CurrentCol, 1);
        EXPECT_EQ(editor.CurrentRow, 1);
        EXPECT_TRUE(editor.PlaceCombo);
    }
    EXPECT_TRUE(editor.mayEnterCell(3, 6));
    EXPECT_TRUE(editor.mayEnterCell(12, 6));

    editor.beginShow();
    EXPECT_TRUE(editor.mayEnterCell(5, 6));
    editor.finishShow();
    EXPECT_FALSE(editor.mayEnterCell(5, 6));

    enterChannel(6);
    EXPECT_TRUE(editor.mayEnterCell(5, 6));
}

TEST_F(ChannelEditorTest, LeavingANewRxFrequencyRoundsItAndFillsTheEmptyCells) {
    table.setCell(4, 5, "D023N");
    table.setCell(7, 5, "On");
    enterChannel(5, "446.004");
    Row expected = newChannel("446.00625");
    expected[3] = "D023N";
    expected[6] = "On";
    EXPECT_EQ(row(5), expected);
    EXPECT_TRUE(dialogs.messages().empty());

    // Leaving TX rounds it without touching the rest of the row.
    editor.typeText(2, 5, "446.01");
    EXPECT_TRUE(editor.mayEnterCell(12, 5));
    expected[1] = "446.01000";
    EXPECT_EQ(row(5), expected);
}

TEST_F(ChannelEditorTest, AnOutOfRangeFrequencyIsReplacedWithAMessage) {
    enterChannel(5, "451");
    EXPECT_EQ(row(5), newChannel("440.00000"));
    EXPECT_THAT(dialogs.messages(), ElementsAre(kOverflow));

    editor.typeText(2, 5, "450.999");
    EXPECT_TRUE(editor.mayEnterCell(12, 5));
    EXPECT_EQ(table.cell(2, 5), "440.00000");
    EXPECT_EQ(dialogs.messages().size(), 2U);
}

TEST_F(ChannelEditorTest, AFrequencyThatIsNoNumberKeepsTheCursorAndTheText) {
    for (const int col : {1, 2}) {
        enterChannel(5);
        editor.CurrentCol = col;
        editor.typeText(col, 5, ".");
        const ChannelTable before = table;
        const std::size_t shown = dialogs.messages().size();

        EXPECT_FALSE(editor.mayEnterCell(12, 7)) << col;
        EXPECT_EQ(editor.CurrentCol, col);
        EXPECT_EQ(editor.CurrentRow, 5);
        EXPECT_TRUE(table == before) << col;
        ASSERT_EQ(dialogs.messages().size(), shown + 1) << col;
        EXPECT_THAT(dialogs.messages().back(), HasSubstr("\".\"")) << col;
    }
}

TEST_F(ChannelEditorTest, WhileBusySelectionIsFreeAndChangesNothing) {
    fillRow(5, "x");
    editor.CurrentCol = 1;
    editor.CurrentRow = 5;
    table.setCell(1, 5, "");
    const ChannelTable before = table;
    session.Busy = true;
    EXPECT_TRUE(editor.mayEnterCell(7, 9));
    EXPECT_TRUE(table == before);
    EXPECT_EQ(editor.CurrentCol, 1);
    EXPECT_EQ(editor.CurrentRow, 5);
    EXPECT_FALSE(editor.canUndo());
}

// --- The option box ---

struct OptionColumn {
    int col;
    std::vector<std::string> entries;  // empty for the tone list
    const char* cellText;
    const char* selectedEntry;
};

TEST_F(ChannelEditorTest, AnOptionCellShowsItsColumnsEntriesWithTheCellsOneSelected) {
    const OptionColumn columns[] = {
        {3, {}, "d023n", "D023N"},
        {4, {}, "nothing", "Off"},  // a text naming no entry selects the first
        {5, {"High", "Low"}, "low", "Low"},
        {6, {"25K", "12.5K"}, "12.5k", "12.5K"},
        {7, {"Off", "On"}, "ON", "On"},
        {8, {"Off", "DTMF"}, "dtmf", "DTMF"},
        {9, {"QT", "QT+DTMF", "QT*DTMF"}, "qt*dtmf", "QT*DTMF"},
        {10, {"Off", "On"}, "On", "On"},
        {11, {"Off", "On"}, "", "Off"},
    };
    const std::vector<std::string>& tones = defaultVocabulary().toneList;
    ASSERT_EQ(tones.front(), "Off");
    for (const OptionColumn& c : columns) {
        enterChannel(5);
        table.setCell(c.col, 5, c.cellText);
        if (c.col == 10) {
            // Never selectable; placed only when the cursor already stands there.
            editor.CurrentCol = c.col;
            editor.PlaceCombo = true;
        } else {
            ASSERT_TRUE(editor.mayEnterCell(c.col, 5)) << c.col;
        }
        EXPECT_FALSE(editor.placeCurrentCell()) << c.col;
        EXPECT_FALSE(editor.inPlaceEditor()) << c.col;
        const ComboState& combo = editor.combo();
        EXPECT_TRUE(combo.showing) << c.col;
        EXPECT_EQ(combo.entries, c.entries.empty() ? tones : c.entries) << c.col;
        ASSERT_LT(static_cast<std::size_t>(combo.selected), combo.entries.size()) << c.col;
        EXPECT_EQ(combo.entries[static_cast<std::size_t>(combo.selected)], c.selectedEntry) << c.col;
        editor.hideCombo();
    }
}

TEST_F(ChannelEditorTest, FrequencyAndNameCellsAreEditedInPlace) {
    enterChannel(5);
    for (const int col : {1, 2, 12}) {
        ASSERT_TRUE(editor.mayEnterCell(col, 5));
        EXPECT_TRUE(editor.placeCurrentCell()) << col;
        EXPECT_TRUE(editor.inPlaceEditor()) << col;
        EXPECT_FALSE(editor.combo().showing) << col;
    }
}

TEST_F(ChannelEditorTest, AnOptionCellOfARowWithoutRxFrequencyShowsNoBox) {
    ASSERT_TRUE(editor.mayEnterCell(3, 6));
    EXPECT_FALSE(editor.placeCurrentCell());
    EXPECT_FALSE(editor.combo().showing);
}

class OptionBoxTest : public ChannelEditorTest {
  protected:
    void SetUp() override {
        enterChannel(5);
        ASSERT_TRUE(editor.mayEnterCell(5, 5));
        editor.placeCurrentCell();
        ASSERT_TRUE(editor.combo().showing);
    }
};

TEST_F(OptionBoxTest, LeavingToTheGridStoresTheEntryItNames) {
    editor.leaveOptionBox("low", true);
    EXPECT_EQ(table.cell(5, 5), "Low");
    EXPECT_FALSE(editor.combo().showing);
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(OptionBoxTest, ATextNamingNoEntryStoresTheFirstWithAMessage) {
    table.setCell(5, 5, "Low");
    editor.leaveOptionBox("bogus", true);
    EXPECT_EQ(table.cell(5, 5), "High");
    EXPECT_THAT(dialogs.messages(), ElementsAre(kOverflow));
    EXPECT_FALSE(editor.combo().showing);
}

TEST_F(OptionBoxTest, LeavingElsewhereStoresNothing) {
    editor.leaveOptionBox("Low", false);
    EXPECT_EQ(table.cell(5, 5), "High");
    EXPECT_FALSE(editor.combo().showing);
    // A hidden box stores nothing either.
    editor.leaveOptionBox("Low", true);
    EXPECT_EQ(table.cell(5, 5), "High");
    // Nor does a box left during a transfer, which owns the table.
    editor.PlaceCombo = true;
    editor.placeCurrentCell();
    ASSERT_TRUE(editor.combo().showing);
    session.Busy = true;
    editor.leaveOptionBox("Low", true);
    EXPECT_EQ(table.cell(5, 5), "High");
    EXPECT_FALSE(editor.combo().showing);
}

// --- Typing ---

struct KeyPressCase {
    const char* name;
    int col;
    bool channelSet;
    const char* cellText;  // nullptr: leave the cell as entering the channel left it
    char key;
    char passed;
    const char* cellAfter;
    // The part of the cell the key replaces.
    std::size_t selectedFrom = 0;
    std::size_t selectedLength = 0;
};

TEST_F(ChannelEditorTest, KeysAreFilteredByTheCurrentCell) {
    const KeyPressCase cases[] = {
        {"RX of an empty row", 1, false, "", '4', '4', ""},
        {"RX letter", 1, true, nullptr, 'a', kNoKey, "446.00625"},
        {"RX second point", 1, true, nullptr, '.', kNoKey, "446.00625"},
        {"RX over the limit", 1, true, "446.0062500", '4', kNoKey, "446.0062500"},
        {"RX over the limit, all selected", 1, true, "446.0062500", '4', '4', "446.0062500", 0, 11},
        {"RX point over a selected point", 1, true, "446.5", '.', '.', "446.5", 3, 1},
        {"TX of an empty row", 2, false, "", '4', kNoKey, ""},
        {"TX point", 2, true, "446", '.', '.', "446"},
        {"name of an empty row", 12, false, "", 'a', kNoKey, ""},
        {"name letter", 12, true, "AB", 'c', 'C', "AB"},
        {"name point", 12, true, "AB", '.', kNoKey, "AB"},
        {"name over the limit", 12, true, "ABCDEF", 'g', kNoKey, "ABCDEF"},
        {"name over the limit, one selected", 12, true, "ABCDEF", 'g', 'G', "ABCDEF", 5, 1},
        {"option column", 5, true, nullptr, '1', kNoKey, "High"},
    };
    for (const KeyPressCase& c : cases) {
        table = ChannelTable(strings);
        if (c.channelSet) {
            enterChannel(7);
        }
        if (c.cellText != nullptr) {
            table.setCell(c.col, 7, c.cellText);
        }
        editor.CurrentCol = c.col;
        editor.CurrentRow = 7;
        EXPECT_EQ(editor.filterTypedKey(c.key, c.selectedFrom, c.selectedLength), c.passed)
            << c.name;
        EXPECT_EQ(table.cell(c.col, 7), c.cellAfter) << c.name;
    }
}

TEST_F(ChannelEditorTest, WhileBusyKeysAndTypingAreDropped) {
    enterChannel(7);
    session.Busy = true;
    editor.CurrentCol = 1;
    editor.CurrentRow = 7;
    EXPECT_EQ(editor.filterTypedKey('4'), kNoKey);
    editor.typeText(1, 7, "446.1");
    EXPECT_EQ(table.cell(1, 7), "446.00625");
}

// --- Enter ---

TEST_F(ChannelEditorTest, EnterWalksRxTxNameThenTheNextRow) {
    ASSERT_EQ(table.rowCount(), 100);
    const struct {
        std::pair<int, int> from;
        std::pair<int, int> to;
    } moves[] = {
        {{1, 5}, {2, 5}},   {{2, 5}, {12, 5}}, {{12, 5}, {1, 6}},  {{12, 98}, {1, 99}},
        {{12, 99}, {1, 99}}, {{5, 5}, {5, 5}},  {{11, 99}, {11, 99}},
    };
    for (const auto& m : moves) {
        EXPECT_EQ(editor.enterTarget(m.from.first, m.from.second), m.to)
            << m.from.first << "," << m.from.second;
    }
}

// --- Copy, paste, clear and New ---

TEST_F(ChannelEditorTest, ShowingResetsTheCopiedRow) {
    editor.RowBuffer.fill("junk");
    editor.beginShow();
    EXPECT_TRUE(editor.ShowingWindow);
    // Power is "High", an entry of its list, as for a new channel.
    const std::array<std::string, 12> expected{"",    "",    "Off", "Off", "High", "25K",
                                               "Off", "Off", "QT",  "Off", "On",   ""};
    for (std::size_t i = 1; i <= 12; ++i) {
        EXPECT_EQ(editor.RowBuffer[i], expected[i - 1]) << i;
    }
    editor.finishShow();
    EXPECT_FALSE(editor.ShowingWindow);
    EXPECT_EQ(editor.CurrentCol, 1);
    EXPECT_EQ(editor.CurrentRow, 1);
}

TEST_F(ChannelEditorTest, CopyTakesTheCurrentRow) {
    fillRow(9, "c");
    editor.CurrentRow = 9;
    editor.runRowAction(RowAction::Copy);
    for (std::size_t c = 1; c <= 12; ++c) {
        EXPECT_EQ(editor.RowBuffer[c], "c" + std::to_string(c));
    }
    EXPECT_FALSE(editor.canUndo());
}

TEST_F(ChannelEditorTest, PasteCarriesFrequenciesAndWithoutOnlyIntoSomeRows) {
    const struct {
        int row;
        bool frequencies;
        bool without;
    } rows[] = {
        {1, false, true},   {5, false, true},   {8, false, true},  {9, false, false},
        {10, false, false}, {21, false, false}, {30, false, false}, {31, false, true},
        {38, false, true},  {40, false, false}, {45, false, true},  {51, false, false},
        {70, false, false}, {71, false, true},  {78, false, true},  {79, false, false},
        {80, false, false}, {81, true, false},  {90, true, false},  {99, true, false},
    };
    for (std::size_t c = 1; c <= 12; ++c) {
        editor.RowBuffer[c] = "b" + std::to_string(c);
    }
    for (const auto& r : rows) {
        fillRow(r.row, "d");
        editor.CurrentRow = r.row;
        editor.runRowAction(RowAction::Paste);
        Row expected;
        for (int c = 1; c <= 12; ++c) {
            const bool pasted =
                ((c == 1 || c == 2) && r.frequencies) || (c == 10 && r.without) || (c > 2 && c != 10);
            expected.push_back((pasted ? "b" : "d") + std::to_string(c));
        }
        EXPECT_EQ(row(r.row), expected) << "row " << r.row;
    }
}

TEST_F(ChannelEditorTest, PastingACopyOfAnEmptyRowLeavesAChannelComplete) {
    editor.CurrentRow = 3;
    editor.runRowAction(RowAction::Copy);
    enterChannel(5);
    table.setCell(5, 5, "Low");
    editor.CurrentRow = 5;
    editor.runRowAction(RowAction::Paste);
    // The frequencies stay; every option the buffer left empty takes its default.
    EXPECT_EQ(row(5), (Row{"446.00625", "446.00625", "Off", "Off", "High", "25K", "Off", "Off",
                           "QT", "Off", "On", ""}));
}

TEST_F(ChannelEditorTest, ClearEmptiesTheCurrentRowOnly) {
    fillRow(5, "x");
    fillRow(6, "y");
    editor.CurrentRow = 5;
    editor.runRowAction(RowAction::Clear);
    EXPECT_EQ(row(5), Row(12, ""));
    EXPECT_EQ(table.cell(1, 6), "y1");
    EXPECT_EQ(table.cell(0, 5), "5");
}

TEST_F(ChannelEditorTest, NewEmptiesTheShownRowsAndKeepsTheHiddenOnes) {
    for (const int r : {1, 50, 99, 100, 128}) {
        fillRow(r, "r" + std::to_string(r) + ".");
    }
    table.setRowCount(ChannelTable::kRows);
    editor.emptyShownChannels();
    EXPECT_EQ(table.rowCount(), 100);
    for (const int r : {1, 50, 99}) {
        EXPECT_EQ(row(r), Row(12, "")) << r;
        EXPECT_EQ(table.cell(0, r), std::to_string(r));
    }
    EXPECT_EQ(table.cell(1, 100), "r100.1");
    EXPECT_EQ(table.cell(12, 128), "r128.12");
}

// --- Undo, redo and whether the table changed ---

TEST_F(ChannelEditorTest, TypingInACellAndLeavingItIsOneStep) {
    editor.CurrentCol = 1;
    editor.CurrentRow = 5;
    for (const char* typed : {"4", "44", "446", "446.0", "446.004"}) {
        editor.typeText(1, 5, typed);
    }
    ASSERT_TRUE(editor.mayEnterCell(2, 5));
    const Row entered = row(5);
    ASSERT_EQ(entered, newChannel("446.00625"));

    ASSERT_TRUE(editor.undo());
    EXPECT_EQ(row(5), Row(12, ""));
    EXPECT_FALSE(editor.canUndo());
    ASSERT_TRUE(editor.redo());
    EXPECT_EQ(row(5), entered);
    EXPECT_FALSE(editor.canRedo());
}

TEST_F(ChannelEditorTest, EachCellLeftIsAStepOfItsOwn) {
    enterChannel(5, "446");
    editor.typeText(2, 5, "446.01");
    ASSERT_TRUE(editor.mayEnterCell(12, 5));
    editor.typeText(12, 5, "AB");
    editor.typeText(12, 5, "ABC");
    ASSERT_TRUE(editor.mayEnterCell(1, 6));
    Row named = newChannel("446.00000");
    named[1] = "446.01000";
    named[11] = "ABC";
    ASSERT_EQ(row(5), named);

    ASSERT_TRUE(editor.undo());
    EXPECT_EQ(table.cell(12, 5), "");
    EXPECT_EQ(table.cell(2, 5), "446.01000");
    ASSERT_TRUE(editor.undo());
    EXPECT_EQ(row(5), newChannel("446.00000"));
    ASSERT_TRUE(editor.undo());
    EXPECT_EQ(row(5), Row(12, ""));
    EXPECT_FALSE(editor.undo());

    // Typing again after an undo starts a step rather than joining the undone one.
    editor.CurrentCol = 12;
    editor.CurrentRow = 5;
    ASSERT_TRUE(editor.redo());
    editor.typeText(1, 5, "447");
    EXPECT_FALSE(editor.canRedo());
    ASSERT_TRUE(editor.undo());
    EXPECT_EQ(row(5), newChannel("446.00000"));
}

TEST_F(ChannelEditorTest, ComingBackToACellStartsANewStep) {
    enterChannel(5);
    ASSERT_TRUE(editor.mayEnterCell(1, 5));
    editor.typeText(1, 5, "447");
    ASSERT_TRUE(editor.mayEnterCell(2, 5));
    EXPECT_EQ(table.cell(1, 5), "447.00000");

    ASSERT_TRUE(editor.undo());
    EXPECT_EQ(row(5), newChannel("446.00625"));
}

TEST_F(ChannelEditorTest, UndoAndRedoPutTheCursorWhereTheTableWasInThatState) {
    // "9" typed in channel 17 and pasted over before the cell was left: undoing the
    // rounding must not leave "9" in a channel the cursor has left.
    editor.CurrentCol = 1;
    editor.CurrentRow = 17;
    editor.typeText(1, 17, "446.3");
    editor.runRowAction(RowAction::Paste);
    ASSERT_TRUE(editor.mayEnterCell(1, 30));
    ASSERT_EQ(table.cell(1, 17), "446.30000");
    ASSERT_TRUE(editor.undo());
    EXPECT_EQ(table.cell(1, 17), "446.3");
    EXPECT_EQ(editor.CurrentCol, 1);
    EXPECT_EQ(editor.CurrentRow, 17);
    ASSERT_TRUE(editor.mayEnterCell(3, 17));
    ASSERT_TRUE(editor.undo());
    ASSERT_TRUE(editor.redo());
    EXPECT_EQ(editor.CurrentCol, 1);
    EXPECT_EQ(editor.CurrentRow, 17);
}

TEST_F(ChannelEditorTest, UndoRestoresTheRowCount) {
    fillRow(5, "x");
    table.setRowCount(ChannelTable::kRows);
    const ChannelTable before = table;
    editor.emptyShownChannels();
    ASSERT_TRUE(editor.undo());
    EXPECT_TRUE(table == before);
    EXPECT_EQ(table.rowCount(), ChannelTable::kRows);
    ASSERT_TRUE(editor.redo());
    EXPECT_EQ(table.rowCount(), 100);
    EXPECT_EQ(row(5), Row(12, ""));
}

TEST_F(ChannelEditorTest, UndoingBackToTheSavedStateIsUnmodified) {
    enterChannel(5);
    editor.markUnmodified();
    EXPECT_FALSE(editor.modified());

    editor.CurrentRow = 5;
    editor.runRowAction(RowAction::Clear);
    EXPECT_TRUE(editor.modified());
    ASSERT_TRUE(editor.undo());
    EXPECT_FALSE(editor.modified());
    ASSERT_TRUE(editor.redo());
    EXPECT_TRUE(editor.modified());
}

TEST_F(ChannelEditorTest, WhileBusyUndoAndRedoDoNothing) {
    enterChannel(5);
    session.Busy = true;
    EXPECT_FALSE(editor.undo());
    EXPECT_EQ(table.cell(1, 5), "446.00625");
    session.Busy = false;
    ASSERT_TRUE(editor.undo());
    session.Busy = true;
    EXPECT_FALSE(editor.redo());
    EXPECT_EQ(table.cell(1, 5), "");
}

// --- Open, save and closing ---

// Answers the file dialogs from what the test set and counts the questions.
class ScriptedDocumentDialogs final : public DocumentDialogs {
  public:
    std::optional<std::filesystem::path> chooseOpenFile(const FileDialogKind& kind) override {
        ++opens;
        kinds.push_back(kind.filter);
        return openPath;
    }
    std::optional<std::filesystem::path> chooseSaveFile(
        const FileDialogKind& kind, const std::filesystem::path& currentFile = {}) override {
        ++saves;
        kinds.push_back(kind.filter);
        proposed.push_back(currentFile);
        return savePath;
    }
    SaveChangesAnswer askSaveChanges(const std::string& question) override {
        questions.push_back(question);
        return answer;
    }

    std::optional<std::filesystem::path> openPath;
    std::optional<std::filesystem::path> savePath;
    SaveChangesAnswer answer = SaveChangesAnswer::Cancel;
    int opens = 0;
    int saves = 0;
    std::vector<std::string> kinds;
    std::vector<std::string> questions;
    // The current file each Save proposed, empty for none.
    std::vector<std::filesystem::path> proposed;
};

class ChannelDocumentTest : public ChannelEditorTest {
  protected:
    test::TempDir dir;
    ScriptedDocumentDialogs documents;
    ChannelDocument document{editor, session, documents, dialogs};
};

TEST_F(ChannelDocumentTest, SaveThenOpenGivesTheTableBackUnmodified) {
    enterChannel(5);
    table.setCell(12, 5, "ABC");
    table.setCell(3, 120, "hidden");
    table.setRowCount(ChannelTable::kRows);
    documents.savePath = dir / "a.chnw";
    ASSERT_TRUE(document.saveTable());
    EXPECT_FALSE(editor.modified());
    EXPECT_EQ(documents.kinds,
              std::vector<std::string>{"chnw file(*.chnw)|*.chnw|CHIRP CSV (*.csv)|*.csv"});

    editor.emptyShownChannels();
    table.setCell(3, 120, "other");
    const ChannelTable beforeOpen = table;
    documents.openPath = dir / "a.chnw";
    ASSERT_TRUE(document.openTable());
    EXPECT_EQ(table.rowCount(), 100);
    Row expected = newChannel("446.00625");
    expected[11] = "ABC";
    EXPECT_EQ(row(5), expected);
    EXPECT_EQ(table.cell(3, 120), "hidden");
    EXPECT_FALSE(editor.modified());
    EXPECT_TRUE(dialogs.messages().empty());

    // The whole open is one step.
    ASSERT_TRUE(editor.undo());
    EXPECT_TRUE(table == beforeOpen);
}

TEST_F(ChannelDocumentTest, ACsvPathIsSavedAndOpenedAsChirpCsv) {
    enterChannel(5);
    table.setCell(12, 5, "ABC");
    table.setCell(1, 120, "447.00000");
    documents.savePath = dir / "a.csv";
    ASSERT_TRUE(document.saveTable());
    EXPECT_FALSE(editor.modified());
    EXPECT_EQ(test::readTextFile(dir / "a.csv").rfind("Location,Name,Frequency,", 0), 0U);

    editor.emptyShownChannels();
    table.setCell(3, 110, "left over");
    documents.openPath = dir / "a.csv";
    ASSERT_TRUE(document.openTable());
    EXPECT_EQ(table.rowCount(), 100);
    Row expected = newChannel("446.00625");
    expected[11] = "ABC";
    EXPECT_EQ(row(5), expected);
    // The file holds every channel: the hidden one it names, and none that it does not.
    EXPECT_EQ(table.cell(1, 120), "447.00000");
    EXPECT_EQ(table.cell(3, 110), "");
    EXPECT_FALSE(editor.modified());
    EXPECT_TRUE(dialogs.messages().empty());
}

// Two good rows (channels 2 and 5) between two bad ones.
const char* const kPartlyBadCsv =
    "Location,Frequency,Name\r\n0,446.0,a\r\n2,446.0,b\r\n3,470.0,c\r\n5,447.0,e\r\n";

TEST_F(ChannelDocumentTest, TakingTheGoodRowsOfACsvIsOneStepAndSaysWhatWasLeftOut) {
    test::writeTextFile(dir / "part.csv", kPartlyBadCsv);
    enterChannel(7, "447");
    const ChannelTable before = table;
    documents.openPath = dir / "part.csv";
    dialogs.answerNext(true);
    ASSERT_TRUE(document.openTable());

    EXPECT_THAT(dialogs.offeredActions(), ElementsAre("Take the 2 good rows"));
    ASSERT_EQ(dialogs.questions().size(), 1U);
    EXPECT_THAT(dialogs.questions()[0], HasSubstr("part.csv: 2 bad rows cannot be taken:\n"
                                                  "line 2: Location \"0\""));
    EXPECT_THAT(dialogs.questions()[0], HasSubstr("\nline 4: Frequency \"470.0\" is outside"));
    EXPECT_THAT(dialogs.questions()[0], HasSubstr("Take the 2 good rows"));

    EXPECT_EQ(table.cell(1, 2), "446.00000");
    EXPECT_EQ(table.cell(12, 5), "E");
    EXPECT_EQ(table.cell(1, 7), "");
    EXPECT_EQ(table.cell(1, 3), "");
    EXPECT_FALSE(editor.modified());
    ASSERT_EQ(dialogs.messages().size(), 1U);
    EXPECT_THAT(dialogs.messages()[0], HasSubstr("part.csv: 2 rows skipped:\nline 2: "));
    EXPECT_THAT(dialogs.messages()[0], HasSubstr("\nline 4: "));

    ASSERT_TRUE(editor.undo());
    EXPECT_TRUE(table == before);
}

TEST_F(ChannelDocumentTest, ACsvNotTakenLeavesTheTable) {
    const struct {
        const char* name;
        std::string content;
        // The offered action; none for a file refused outright.
        const char* action;
        // The refusal shown; none when the user declined.
        const char* message;
    } files[] = {
        {"good rows declined", kPartlyBadCsv, "Take the 2 good rows", nullptr},
        {"one good row declined", "Location,Frequency\r\n1,446.0\r\n2,999\r\n",
         "Take the 1 good row", nullptr},
        {"no good row", "Location,Frequency\r\n0,446.0\r\n\r\n3,470.0\r\n", nullptr,
         "x.csv: the CSV file is refused, nothing of it was taken:\nline 2: "},
        {"no Frequency column", "Location,Name\r\n1,a\r\n", nullptr,
         "x.csv: the CSV file is refused, nothing of it was taken:\nline 1: the header has no "
         "Frequency column"},
        {"quote never closed", "Location,Frequency\r\n1,\"446.0\r\n2,446.0\r\n", nullptr,
         "x.csv: the CSV file is refused"},
    };
    enterChannel(7, "447");
    const ChannelTable before = table;
    documents.openPath = dir / "x.csv";
    for (const auto& f : files) {
        test::writeTextFile(dir / "x.csv", f.content);
        const std::size_t offered = dialogs.offeredActions().size();
        const std::size_t shown = dialogs.messages().size();
        EXPECT_FALSE(document.openTable()) << f.name;
        EXPECT_TRUE(table == before) << f.name;
        EXPECT_TRUE(editor.modified()) << f.name;
        EXPECT_EQ(document.currentFile(), "") << f.name;

        const auto actions = dialogs.offeredActions();
        ASSERT_EQ(actions.size(), offered + (f.action ? 1 : 0)) << f.name;
        if (f.action) {
            EXPECT_EQ(actions.back(), f.action) << f.name;
        }
        const auto messages = dialogs.messages();
        ASSERT_EQ(messages.size(), shown + (f.message ? 1 : 0)) << f.name;
        if (f.message) {
            EXPECT_THAT(messages.back(), HasSubstr(f.message)) << f.name;
        }
    }
    // No step was left behind: the next undo takes back the typed channel.
    ASSERT_TRUE(editor.undo());
    EXPECT_FALSE(table == before);
}

TEST_F(ChannelDocumentTest, ACancelledOpenChangesNothing) {
    enterChannel(5);
    const ChannelTable before = table;
    EXPECT_FALSE(document.openTable());
    EXPECT_EQ(documents.opens, 1);
    EXPECT_TRUE(table == before);
    EXPECT_TRUE(editor.modified());
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(ChannelDocumentTest, AFileThatCannotBeLoadedIsToldAndLeavesTheTable) {
    const std::string good = test::channelOneFile(newChannel("446.00625"));
    const struct {
        const char* name;
        std::string content;
        const char* message;
        bool warning;  // a failure, in a warning box; the old file type notice is not
    } files[] = {
        {"file type in capitals", "TES" + good.substr(3), "Bad read in file type!", false},
        {"cut short", "tes\r\n100\r\n446.00625\r\n", "a.chnw", true},
        {"row count no number", "tes\r\nabc\r\n", "a.chnw", true},
    };
    enterChannel(7, "447");
    for (const auto& f : files) {
        test::writeTextFile(dir / "a.chnw", f.content);
        documents.openPath = dir / "a.chnw";
        const ChannelTable before = table;
        const std::size_t shown = dialogs.messages().size();
        const std::size_t warned = dialogs.warnings().size();
        EXPECT_FALSE(document.openTable()) << f.name;
        EXPECT_TRUE(table == before) << f.name;
        EXPECT_TRUE(editor.modified()) << f.name;
        ASSERT_EQ(dialogs.messages().size(), shown + 1) << f.name;
        EXPECT_THAT(dialogs.messages().back(), HasSubstr(f.message)) << f.name;
        EXPECT_EQ(dialogs.warnings().size(), warned + (f.warning ? 1 : 0)) << f.name;
    }
}

TEST_F(ChannelDocumentTest, ShowingTheWindowWithAFileLeavesItUnmodified) {
    ChannelTable saved(strings);
    saved.setCell(1, 3, "446.00625");
    saved.setCell(1, 110, "447.00000");
    saved.setRowCount(ChannelTable::kRows);
    SaveChannelFile(saved, dir / "all.chnw");

    documents.openPath = dir / "all.chnw";
    editor.beginShow();
    ASSERT_TRUE(document.loadChosenFile());
    editor.finishShow();
    EXPECT_EQ(table.rowCount(), 100);
    EXPECT_EQ(table.cell(1, 3), "446.00625");
    EXPECT_EQ(table.cell(1, 110), "447.00000");
    EXPECT_FALSE(editor.modified());
}

TEST_F(ChannelDocumentTest, ClosingAsksOnlyAboutAChangedTable) {
    EXPECT_TRUE(document.confirmClose());
    EXPECT_TRUE(documents.questions.empty());

    const struct {
        const char* name;
        SaveChangesAnswer answer;
        bool saveChosen;
        bool mayClose;
    } answers[] = {
        {"cancel", SaveChangesAnswer::Cancel, true, false},
        {"discard", SaveChangesAnswer::Discard, true, true},
        {"save", SaveChangesAnswer::Save, true, true},
        {"save, dialog cancelled", SaveChangesAnswer::Save, false, false},
    };
    for (const auto& a : answers) {
        const std::filesystem::path file = dir / (std::string(a.name) + ".chnw");
        const std::string typed = "446." + std::to_string(documents.questions.size() + 1);
        enterChannel(5, typed);
        ASSERT_TRUE(editor.modified());
        documents.answer = a.answer;
        documents.savePath = a.saveChosen ? std::optional(file) : std::nullopt;
        const int saves = documents.saves;

        EXPECT_EQ(document.confirmClose(), a.mayClose) << a.name;
        EXPECT_EQ(documents.questions.back(), kSaveChangesQuestion) << a.name;
        const bool saved = a.answer == SaveChangesAnswer::Save && a.saveChosen;
        EXPECT_EQ(documents.saves, saves + (a.answer == SaveChangesAnswer::Save ? 1 : 0)) << a.name;
        EXPECT_EQ(std::filesystem::exists(file), saved) << a.name;
        EXPECT_EQ(editor.modified(), !saved) << a.name;
        if (saved) {
            EXPECT_THAT(test::readTextFile(file), HasSubstr("\r\n" + typed + "0000\r\n"));
        }
    }
    EXPECT_EQ(documents.questions.size(), 4U);
}

TEST_F(ChannelDocumentTest, SaveProposesTheFileLastOpenedOrSavedHereOrANewName) {
    enum class Step { Save, Open, CloseSaving, New, Restored, FromTemplate };
    using Path = std::filesystem::path;
    const Path a = dir / "a.chnw";
    const Path b = dir / "b.csv";
    const Path c = dir / "c.chnw";
    const Path restored = kRestoredChannelsName;
    const Path fresh = kNewChannelsName;
    test::writeTextFile(dir / "refused.csv", "Location,Name\r\n");
    const struct {
        const char* name;
        Step step;
        std::optional<Path> chosen;
        Path fileAfter;
        Path proposedAfter;
    } steps[] = {
        {"a new window has none", Step::Save, std::nullopt, "", ""},
        {"saved", Step::Save, a, a, a},
        {"saved as CSV", Step::Save, b, b, b},
        {"opened", Step::Open, a, a, a},
        {"open cancelled", Step::Open, std::nullopt, a, a},
        {"open refused", Step::Open, dir / "refused.csv", a, a},
        {"opened CSV", Step::Open, b, b, b},
        {"save cancelled", Step::Save, std::nullopt, b, b},
        {"saved on closing", Step::CloseSaving, c, c, c},
        // A backup's or a template's channels are not c's: a name of their own.
        {"a backup's channels", Step::Restored, std::nullopt, "", restored},
        {"save cancelled after the backup", Step::Save, std::nullopt, "", restored},
        {"saved after the backup", Step::Save, a, a, a},
        {"a template's channels", Step::FromTemplate, std::nullopt, "", fresh},
        {"opened after the template", Step::Open, b, b, b},
        {"from a template again", Step::FromTemplate, std::nullopt, "", fresh},
        {"New", Step::New, std::nullopt, "", ""},
    };
    Path current;
    for (const auto& s : steps) {
        const std::size_t asked = documents.proposed.size();
        documents.openPath = s.chosen;
        documents.savePath = s.chosen;
        switch (s.step) {
            case Step::Save: document.saveTable(); break;
            case Step::Open: document.openTable(); break;
            case Step::CloseSaving:
                enterChannel(9);
                documents.answer = SaveChangesAnswer::Save;
                EXPECT_TRUE(document.confirmClose()) << s.name;
                break;
            case Step::New: document.newTable(); break;
            case Step::Restored: document.startUnnamed(kRestoredChannelsName); break;
            case Step::FromTemplate: document.startUnnamed(kNewChannelsName); break;
        }
        if (s.step == Step::Save || s.step == Step::CloseSaving) {
            ASSERT_EQ(documents.proposed.size(), asked + 1) << s.name;
            EXPECT_EQ(documents.proposed.back(), current) << s.name;
        }
        EXPECT_EQ(document.currentFile(), s.fileAfter) << s.name;
        documents.savePath = std::nullopt;
        document.saveTable();
        EXPECT_EQ(documents.proposed.back(), s.proposedAfter) << s.name;
        current = s.proposedAfter;
    }
}

TEST_F(ChannelDocumentTest, WhileBusyOpenAndSaveDoNothing) {
    enterChannel(5);
    const ChannelTable before = table;
    session.Busy = true;
    documents.openPath = dir / "missing.chnw";
    documents.savePath = dir / "b.chnw";
    EXPECT_FALSE(document.openTable());
    EXPECT_FALSE(document.saveTable());
    EXPECT_EQ(documents.opens, 0);
    EXPECT_EQ(documents.saves, 0);
    EXPECT_FALSE(std::filesystem::exists(dir / "b.chnw"));
    EXPECT_TRUE(table == before);
    EXPECT_TRUE(editor.modified());
}

}  // namespace
}  // namespace lumo
