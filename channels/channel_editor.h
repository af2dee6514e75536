#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/session.h"
#include "base/user_dialogs.h"
#include "channels/channel_selection.h"
#include "channels/channel_table.h"
#include "channels/channel_undo.h"
#include "channels/channel_vocabulary.h"

namespace lumo {

// The option box laid over the current option cell.
struct ComboState {
    bool showing = false;
    std::vector<std::string> entries;
    int selected = 0;
};

// Popup menu entries, by tag.
enum class RowAction { Copy = 0, Paste = 1, Clear = 2 };

// The channel window's editing rules without a widget: which cell may become current
// and what leaving a cell does to its row, the option box, the key filters, Enter,
// the row copy buffer, New, undo and whether the table has changed since it was last
// read, opened, saved or written. The window shows the table and forwards the user's
// actions here; every change of a cell passes through `change`, so it is one undo step.
class ChannelEditor {
  public:
    ChannelEditor(ChannelTable& table, Session& session, UserDialogs& dialogs,
                  const ChannelVocabulary& vocabulary);

    ChannelTable& table() { return table_; }
    const ChannelTable& table() const { return table_; }

    // Called after every change of the table's cells or row count.
    std::function<void()> changed;

    // Showing the window: before its file is asked for, and after.
    void beginShow();
    void finishShow();

    // Whether (col, row) may become the grid's current cell; applies what leaving the
    // current cell does (emptying, rounding, defaults). A frequency that is not a
    // number is told to the user and keeps the cursor where it is.
    bool mayEnterCell(int col, int row);

    // The current cell is being drawn: places the option box over it when a selection
    // asked for that. Returns whether the current cell takes typing in place.
    bool placeCurrentCell();
    const ComboState& combo() const { return combo_; }
    void hideCombo() { combo_.showing = false; }
    // The box loses the focus, to the grid or elsewhere: only on the way to the grid
    // does its text reach the cell, as the entry it names (the first entry, with a
    // message, when it names none), and never while Busy. The box is hidden either way.
    void leaveOptionBox(std::string_view text, bool focusToGrid);
    // The entry of the current column that `text` names, ignoring case; 0 for none.
    int comboEntryFor(std::string_view text) const;
    bool inPlaceEditor() const { return inPlaceEditor_; }

    // A typed character for the current cell, replacing the `selectedLength` characters
    // of the cell from `selectedFrom` when text is selected. Returns the character the
    // cell takes (upper-cased) or kNoKey; the cell itself is left as it is.
    char filterTypedKey(char key, std::size_t selectedFrom = 0,
                        std::size_t selectedLength = 0);
    // The in-place editor's text for a cell, as the user typed it.
    void typeText(int col, int row, std::string text);

    // Where Enter takes the grid's cursor from (col, row).
    std::pair<int, int> enterTarget(int col, int row) const;

    // Copy, Paste or Clear on the current row.
    void runRowAction(RowAction action);
    // Empties the shown channel rows; hidden rows keep their texts.
    void emptyShownChannels();

    // Runs `mutate` as one undo step (merged with the open step of the same key).
    template <typename Mutate>
    void change(Mutate&& mutate, const std::string& mergeKey = {});

    // Undo and redo also put the current cell back where the table was in that state,
    // so a text still being typed there is the current cell's again.
    bool undo();
    bool redo();
    bool canUndo() const { return undo_.canUndo(); }
    bool canRedo() const { return undo_.canRedo(); }

    // Applies what leaving the current cell would (emptying, rounding, defaults)
    // without leaving it, so an edit of many channels finds every channel complete.
    // False, with the message told, for a frequency that is not a number, or while Busy.
    bool settleCurrentCell();

    // Whether the cells differ from the last read, open, save or write.
    bool modified() const { return !(table_ == unmodified_); }
    void markUnmodified() { unmodified_ = table_; }
    // The picked channels the undo steps keep with the cells; none until given.
    void trackPicks(ChannelSelection* picks) { picks_ = picks; }

    int CurrentCol = 1;
    int CurrentRow = 1;
    bool PlaceCombo = false;
    bool ShowingWindow = false;
    // Cells 1..12 of the copied row (index 0 unused).
    std::array<std::string, 13> RowBuffer;

  private:
    void resetRowBuffer();
    void emptyLeftCell();
    void roundLeftCell();
    bool roundLeftCellTold(const std::string& key);
    void fillEmptyOptions(int row);
    std::vector<std::string> entriesOf(int column) const;
    bool rxEmpty(int row) const { return table_.cell(1, row).empty(); }
    std::string typingKey(int col, int row) const;
    void returnTo(const UndoCursor& at);
    // The current cell and the picked channels, for an undo step.
    UndoCursor whereNow() const;

    ChannelTable& table_;
    Session& session_;
    UserDialogs& dialogs_;
    const ChannelVocabulary& vocabulary_;
    ChannelUndoStack undo_;
    ChannelTable unmodified_;
    ComboState combo_;
    ChannelSelection* picks_ = nullptr;
    bool inPlaceEditor_ = true;
};

template <typename Mutate>
void ChannelEditor::change(Mutate&& mutate, const std::string& mergeKey) {
    const ChannelTable before = table_;
    // Recorded also when `mutate` throws, since it may have changed cells first.
    struct Record {
        ChannelEditor& editor;
        const ChannelTable& before;
        const std::string& key;
        UndoCursor began;
        ~Record() {
            editor.undo_.record(before, editor.table_, key, began, editor.whereNow());
            if (editor.changed) {
                editor.changed();
            }
        }
    } record{*this, before, mergeKey, whereNow()};
    std::forward<Mutate>(mutate)();
}

}  // namespace lumo
