#include "channels/channel_undo.h"

#include <algorithm>

namespace lumo {

void ChannelUndoStack::record(const ChannelTable& before, const ChannelTable& after,
                              const std::string& mergeKey, UndoCursor at,
                              std::optional<UndoCursor> endedAt) {
    const UndoCursor ended = endedAt.value_or(at);
    Step step{{}, before.rowCount(), after.rowCount(), mergeKey, at, ended};
    for (int row = 0; row < ChannelTable::kRows; ++row) {
        for (int column = 0; column < ChannelTable::kColumns; ++column) {
            const std::string& old = before.cell(column, row);
            const std::string& now = after.cell(column, row);
            if (old != now) {
                step.cells.push_back({column, row, old, now});
            }
        }
    }
    if (step.cells.empty() && step.rowsBefore == step.rowsAfter) {
        return;
    }
    redo_.clear();
    if (mergeOpen_ && !mergeKey.empty() && !undo_.empty() && undo_.back().mergeKey == mergeKey) {
        Step& open = undo_.back();
        for (CellChange& change : step.cells) {
            const auto same = std::find_if(open.cells.begin(), open.cells.end(), [&](const CellChange& c) {
                return c.column == change.column && c.row == change.row;
            });
            if (same == open.cells.end()) {
                open.cells.push_back(std::move(change));
            } else {
                same->after = std::move(change.after);
            }
        }
        open.rowsAfter = step.rowsAfter;
        open.ended = ended;
        return;
    }
    undo_.push_back(std::move(step));
    if (undo_.size() > kDepth) {
        undo_.pop_front();
    }
    mergeOpen_ = !mergeKey.empty();
}

void ChannelUndoStack::apply(const Step& step, ChannelTable& table, bool forward) {
    for (const CellChange& change : step.cells) {
        table.setCell(change.column, change.row, forward ? change.after : change.before);
    }
    table.setRowCount(forward ? step.rowsAfter : step.rowsBefore);
}

bool ChannelUndoStack::undo(ChannelTable& table, UndoCursor* at) {
    if (undo_.empty()) {
        return false;
    }
    apply(undo_.back(), table, false);
    if (at != nullptr) {
        *at = undo_.back().began;
    }
    redo_.push_back(std::move(undo_.back()));
    undo_.pop_back();
    mergeOpen_ = false;
    return true;
}

bool ChannelUndoStack::redo(ChannelTable& table, UndoCursor* at) {
    if (redo_.empty()) {
        return false;
    }
    apply(redo_.back(), table, true);
    if (at != nullptr) {
        *at = redo_.back().ended;
    }
    undo_.push_back(std::move(redo_.back()));
    redo_.pop_back();
    mergeOpen_ = false;
    return true;
}

}  // namespace lumo
