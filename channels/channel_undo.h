#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <vector>

#include "channels/channel_table.h"

namespace lumo {

// Undo and redo over a channel table's cells and row count. A change is recorded as
// the cells it altered, found by comparing the table before and after it, so any
// operation (typing, a paste, a read from the radio, a loaded file) is one step.
class ChannelUndoStack {
  public:
    // Steps kept; the oldest are forgotten beyond this.
    static constexpr std::size_t kDepth = 500;

    // Records the difference between `before` and `after`; nothing when they agree.
    // A step that `mergeKey` names the same as the open step (and the open step was not
    // closed) joins it: the keystrokes in one cell, and what leaving the cell did to
    // its row, undo together.
    void record(const ChannelTable& before, const ChannelTable& after, const std::string& mergeKey = {});
    // Ends merging: the next change starts a step of its own.
    void closeStep() { mergeOpen_ = false; }

    bool canUndo() const { return !undo_.empty(); }
    bool canRedo() const { return !redo_.empty(); }
    // Applies the step's old (undo) or new (redo) texts to `table`. False when there
    // is no step.
    bool undo(ChannelTable& table);
    bool redo(ChannelTable& table);

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
    };

    static void apply(const Step& step, ChannelTable& table, bool forward);

    std::deque<Step> undo_;
    std::deque<Step> redo_;
    bool mergeOpen_ = false;
};

}  // namespace lumo
