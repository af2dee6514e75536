#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "channels/channel_table.h"

namespace lumo {

// Undo and redo over a channel table's cells and row count. A change is recorded as
// the cells it altered, found by comparing the table before and after it, so any
// operation (typing, a paste, a read from the radio, a loaded file) is one step.
// Where the user was when a step was made: the current cell (column 0 for none) and the
// picked channels, which undo and redo bring back with the channels they stood on.
struct UndoCursor {
    int column = 0;
    int row = 0;
    std::vector<int> picks;
};

class ChannelUndoStack {
  public:
    // Steps kept; the oldest are forgotten beyond this.
    static constexpr std::size_t kDepth = 500;

    // Records the difference between `before` and `after`; nothing when they agree.
    // A step that `mergeKey` names the same as the open step (and the open step was not
    // closed) joins it: the keystrokes in one cell, and what leaving the cell did to
    // its row, undo together.
    // `at` is the current cell when the change began, `endedAt` where it was left
    // (the same cell unless the change moved it).
    void record(const ChannelTable& before, const ChannelTable& after,
                const std::string& mergeKey = {}, UndoCursor at = {},
                std::optional<UndoCursor> endedAt = std::nullopt);
    // Ends merging: the next change starts a step of its own.
    void closeStep() { mergeOpen_ = false; }

    bool canUndo() const { return !undo_.empty(); }
    bool canRedo() const { return !redo_.empty(); }
    // Applies the step's old (undo) or new (redo) texts to `table`. False when there
    // is no step. `at`, when given, receives the current cell the table was left at in
    // that state: where the step began (undo) or ended (redo). A text still being typed
    // there was never rounded, so the cursor belongs back on it.
    bool undo(ChannelTable& table, UndoCursor* at = nullptr);
    bool redo(ChannelTable& table, UndoCursor* at = nullptr);

  private:
    struct CellChange {
        int column;
        int row;
        std::string before;
        std::string after;
    };
    struct Step {
        std::vector<CellChange> cells;
        int rowsBefore;
        int rowsAfter;
        std::string mergeKey;
        UndoCursor began;
        UndoCursor ended;
    };

    static void apply(const Step& step, ChannelTable& table, bool forward);

    std::deque<Step> undo_;
    std::deque<Step> redo_;
    bool mergeOpen_ = false;
};

}  // namespace lumo
