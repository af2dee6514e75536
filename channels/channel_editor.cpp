#include "channels/channel_editor.h"

#include <algorithm>
#include <cctype>

#include "channels/channel_codec.h"
#include "channels/channel_keys.h"
#include "channels/column_entries.h"
#include "channels/frequency_cell.h"

namespace lumo {
namespace {

constexpr int kRx = 1;
constexpr int kTx = 2;
constexpr int kRxTone = 3;
constexpr int kTxTone = 4;
constexpr int kWithout = 10;
constexpr int kLastOption = 11;
constexpr int kName = 12;
constexpr std::size_t kFrequencyLimit = 10;
constexpr std::size_t kNameLimit = 5;
// Rows of the current cell's column before the window has picked one.
constexpr int kShowingCol = 888;
constexpr int kShowingRow = 88;

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) ==
                      std::toupper(static_cast<unsigned char>(y));
           });
}

// Paste carries the Without column only into these rows.
bool pasteTakesWithout(int row) {
    const int tens = row / 10 * 10;
    const int units = row % 10;
    return (tens == 0 || tens == 30 || tens == 40 || tens == 70) && units >= 1 && units <= 8;
}

constexpr int kFirstPastedFrequencyRow = 81;

}  // namespace

ChannelEditor::ChannelEditor(ChannelTable& table, Session& session, UserDialogs& dialogs,
                             const ChannelVocabulary& vocabulary)
    : table_(table), session_(session), dialogs_(dialogs), vocabulary_(vocabulary),
      unmodified_(table) {
    resetRowBuffer();
}

void ChannelEditor::resetRowBuffer() {
    // Power takes "High" as a new channel does: "Off" is no power, and a channel pasted
    // with it could not be written to the radio.
    RowBuffer = newChannelOptions(session_.strings());
}

void ChannelEditor::beginShow() {
    ShowingWindow = true;
    resetRowBuffer();
    table_.setRowCount(ChannelTable::kShownRowCount);
    CurrentCol = kShowingCol;
    CurrentRow = kShowingRow;
    markUnmodified();
}

void ChannelEditor::finishShow() {
    // A file of another row count is not changed by being shown with channels 1..99.
    const bool wasModified = modified();
    change([&] { table_.setRowCount(ChannelTable::kShownRowCount); });
    if (!wasModified) {
        markUnmodified();
    }
    hideCombo();
    CurrentCol = 1;
    CurrentRow = 1;
    ShowingWindow = false;
}

std::string ChannelEditor::typingKey(int col, int row) const {
    return "type " + std::to_string(col) + " " + std::to_string(row);
}

bool ChannelEditor::mayEnterCell(int col, int row) {
    if (col == kWithout) {
        hideCombo();
        return false;
    }
    if (session_.Busy) {
        return true;
    }
    hideCombo();
    const std::string key = typingKey(CurrentCol, CurrentRow);
    change([&] { emptyLeftCell(); }, key);
    const bool refused = col >= kTxTone && col <= kLastOption && rxEmpty(row) && !ShowingWindow;
    if (col == 0) {
        return false;
    }
    if (!roundLeftCellTold(key)) {
        return false;
    }
    // A refused cell does not become current: the cursor stays where the user sees
    // it, so keys and the option box keep working on that cell.
    if (!refused) {
        CurrentCol = col;
        CurrentRow = row;
    }
    PlaceCombo = true;
    return !refused;
}

bool ChannelEditor::settleCurrentCell() {
    if (session_.Busy) {
        return false;
    }
    if (CurrentCol < kRx || CurrentCol > kName || CurrentRow < 1 || CurrentRow >= table_.rowCount()) {
        return true;
    }
    const std::string key = typingKey(CurrentCol, CurrentRow);
    change([&] { emptyLeftCell(); }, key);
    return roundLeftCellTold(key);
}

// Rounds the cell being left as one step with its typing; a text that is no number is
// told to the user and keeps the cursor where it is.
bool ChannelEditor::roundLeftCellTold(const std::string& key) {
    try {
        change([&] { roundLeftCell(); }, key);
    } catch (const ConversionError& e) {
        dialogs_.showWarning(e.what());
        return false;
    }
    undo_.closeStep();
    return true;
}

// Leaving an emptied RX frequency empties its row; leaving an emptied TX frequency
// switches the transmit tone off.
void ChannelEditor::emptyLeftCell() {
    if (CurrentCol == kRx && rxEmpty(CurrentRow)) {
        for (int c = kTx; c <= kName; ++c) {
            table_.setCell(c, CurrentRow, "");
        }
    } else if (CurrentCol == kTx && table_.cell(kTx, CurrentRow).empty() && !rxEmpty(CurrentRow)) {
        table_.setCell(kTxTone, CurrentRow, session_.strings().wordOff);
    }
}

// Leaving a frequency rounds it; leaving a new RX frequency gives its row the
// defaults of a new channel.
void ChannelEditor::roundLeftCell() {
    if ((CurrentCol != kRx && CurrentCol != kTx) || table_.cell(CurrentCol, CurrentRow).empty()) {
        return;
    }
    const int row = CurrentRow;
    const CheckedFrequency checked = checkFrequencyCell(table_.cell(CurrentCol, row), session_);
    if (checked.replaced) {
        dialogs_.showMessage(session_.strings().overflow);
    }
    table_.setCell(CurrentCol, row, checked.text);
    if (CurrentCol != kRx) {
        return;
    }
    if (table_.cell(kTx, row).empty()) {
        table_.setCell(kTx, row, checked.text);
    }
    fillEmptyOptions(row);
}

// The empty option cells of a channel take a new channel's defaults.
void ChannelEditor::fillEmptyOptions(int row) {
    const auto defaults = newChannelOptions(session_.strings());
    for (int c = kRxTone; c <= kLastOption; ++c) {
        if (table_.cell(c, row).empty()) {
            table_.setCell(c, row, defaults[static_cast<std::size_t>(c)]);
        }
    }
}

std::vector<std::string> ChannelEditor::entriesOf(int column) const {
    return optionEntries(column, session_.strings(), vocabulary_);
}

int ChannelEditor::comboEntryFor(std::string_view text) const {
    const std::vector<std::string>& entries = combo_.entries;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (sameIgnoringCase(entries[i], text)) {
            return static_cast<int>(i);
        }
    }
    return 0;
}

bool ChannelEditor::placeCurrentCell() {
    if (CurrentCol < kRxTone || CurrentCol > kLastOption) {
        inPlaceEditor_ = CurrentCol >= kRx && CurrentCol <= kName;
        hideCombo();
        return inPlaceEditor_;
    }
    if (PlaceCombo) {
        PlaceCombo = false;
        combo_.entries = entriesOf(CurrentCol);
        combo_.showing = true;
        inPlaceEditor_ = false;
        combo_.selected = comboEntryFor(table_.cell(CurrentCol, CurrentRow));
    }
    if (combo_.showing && rxEmpty(CurrentRow)) {
        hideCombo();
    }
    return false;
}

void ChannelEditor::leaveOptionBox(std::string_view text, bool focusToGrid) {
    // While a transfer runs the table belongs to it: the pick is dropped.
    if (combo_.showing && focusToGrid && !combo_.entries.empty() && !session_.Busy) {
        const auto found = std::find_if(combo_.entries.begin(), combo_.entries.end(),
                                        [&](const std::string& e) { return sameIgnoringCase(e, text); });
        std::string entry = combo_.entries.front();
        if (found == combo_.entries.end()) {
            dialogs_.showMessage(session_.strings().overflow);
        } else {
            entry = *found;
        }
        change([&] { table_.setCell(CurrentCol, CurrentRow, entry); });
    }
    hideCombo();
}

char ChannelEditor::filterTypedKey(char key, std::size_t selectedFrom,
                                   std::size_t selectedLength) {
    if (session_.Busy) {
        return kNoKey;
    }
    if (CurrentCol < kRx || CurrentCol > kName || CurrentRow < 1 || CurrentRow >= ChannelTable::kRows) {
        return kNoKey;
    }
    if ((CurrentCol == kTx || CurrentCol == kName) && rxEmpty(CurrentRow)) {
        return kNoKey;
    }
    std::string text = table_.cell(CurrentCol, CurrentRow);
    if (selectedFrom < text.size()) {
        text.erase(selectedFrom, selectedLength);
    }
    if (CurrentCol == kRx || CurrentCol == kTx) {
        FilterFrequencyKey(std::move(text), key, kFrequencyLimit);
    } else if (CurrentCol == kName) {
        FilterNameKey(std::move(text), key, kNameLimit);
    } else {
        return kNoKey;
    }
    return key;
}

void ChannelEditor::typeText(int col, int row, std::string text) {
    if (session_.Busy) {
        return;
    }
    change([&] { table_.setCell(col, row, std::move(text)); }, typingKey(col, row));
}

std::pair<int, int> ChannelEditor::enterTarget(int col, int row) const {
    switch (col) {
        case kRx: return {kTx, row};
        case kTx: return {kName, row};
        case kName: return {kRx, row + 1 < table_.rowCount() ? row + 1 : row};
        default: return {col, row};
    }
}

void ChannelEditor::runRowAction(RowAction action) {
    if (session_.Busy || CurrentRow < 1 || CurrentRow >= ChannelTable::kRows) {
        return;
    }
    const int row = CurrentRow;
    switch (action) {
        case RowAction::Copy:
            for (int c = 1; c <= kName; ++c) {
                RowBuffer[static_cast<std::size_t>(c)] = table_.cell(c, row);
            }
            return;
        case RowAction::Paste:
            inPlaceEditor_ = false;
            change([&] {
                for (int c = 1; c <= kName; ++c) {
                    if ((c == kRx || c == kTx) && row < kFirstPastedFrequencyRow) {
                        continue;
                    }
                    if (c == kWithout && !pasteTakesWithout(row)) {
                        continue;
                    }
                    table_.setCell(c, row, RowBuffer[static_cast<std::size_t>(c)]);
                }
                // A buffer copied from an empty row must not leave a channel without its
                // options.
                if (!rxEmpty(row)) {
                    fillEmptyOptions(row);
                }
            });
            return;
        case RowAction::Clear:
            change([&] {
                for (int c = 1; c <= kName; ++c) {
                    table_.setCell(c, row, "");
                }
            });
            inPlaceEditor_ = false;
            return;
    }
}

void ChannelEditor::emptyShownChannels() {
    if (session_.Busy) {
        return;
    }
    change([&] {
        table_.setRowCount(ChannelTable::kShownRowCount);
        for (int row = 1; row < ChannelTable::kShownRowCount; ++row) {
            for (int c = 1; c < table_.columnCount(); ++c) {
                table_.setCell(c, row, "");
            }
        }
    });
    hideCombo();
}

bool ChannelEditor::undo() {
    if (session_.Busy || !undo_.canUndo()) {
        return false;
    }
    hideCombo();
    UndoCursor at;
    undo_.undo(table_, &at);
    returnTo(at);
    if (changed) {
        changed();
    }
    return true;
}

UndoCursor ChannelEditor::whereNow() const {
    return UndoCursor{CurrentCol, CurrentRow, picks_ != nullptr ? picks_->channels() : std::vector<int>{}};
}

void ChannelEditor::returnTo(const UndoCursor& at) {
    if (picks_ != nullptr) {
        picks_->set(at.picks);
    }
    // Steps made while the window was being shown have no cell of their own.
    const bool cell = at.column >= kRx && at.column <= kName && at.column != kWithout &&
                      at.row >= 1 && at.row < table_.rowCount();
    if (cell) {
        CurrentCol = at.column;
        CurrentRow = at.row;
    }
}

bool ChannelEditor::redo() {
    if (session_.Busy || !undo_.canRedo()) {
        return false;
    }
    hideCombo();
    UndoCursor at;
    undo_.redo(table_, &at);
    returnTo(at);
    if (changed) {
        changed();
    }
    return true;
}

}  // namespace lumo
