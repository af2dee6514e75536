#include "channels/channel_table_edits.h"

#include "channels/channel_clipboard.h"
#include "channels/channel_column_set.h"
#include "channels/channel_find.h"

namespace lumo {

ChannelTableEdits::ChannelTableEdits(ChannelEditor& editor, const Session& session,
                                     UserDialogs& dialogs, const ChannelVocabulary& vocabulary)
    : editor_(editor), session_(session), dialogs_(dialogs), vocabulary_(vocabulary) {
    editor_.trackPicks(&selection_);
}

ChannelTableEdits::~ChannelTableEdits() {
    editor_.trackPicks(nullptr);
}

int ChannelTableEdits::lastChannel() const {
    return editor_.table().rowCount() - 1;
}

std::vector<int> ChannelTableEdits::targets() const {
    if (!selection_.empty()) {
        return selection_.channels();
    }
    const int row = editor_.CurrentRow;
    if (row >= 1 && row <= lastChannel()) {
        return {row};
    }
    return {};
}

// Settles the current cell, then runs `edit` as one undo step; a refusal is told and,
// as the edits change nothing before they refuse, leaves no step behind.
template <typename Edit>
bool ChannelTableEdits::run(Edit&& edit) {
    if (session_.Busy || !editor_.settleCurrentCell()) {
        return false;
    }
    selection_.limitTo(lastChannel());
    editor_.hideCombo();
    try {
        editor_.change([&] { edit(editor_.table()); });
    } catch (const ChannelEditRefused& e) {
        dialogs_.showWarning(e.what());
        return false;
    } catch (const ChirpCsvError& e) {
        dialogs_.showWarning(pasteRefusal(e));
        return false;
    } catch (const ConversionError& e) {
        dialogs_.showWarning(e.what());
        return false;
    }
    editor_.PlaceCombo = true;
    return true;
}

void ChannelTableEdits::follow(const RowMoves& moves) {
    selection_.follow(moves);
    const auto row = static_cast<std::size_t>(editor_.CurrentRow);
    if (row < moves.size() && moves[row] > 0) {
        editor_.CurrentRow = moves[row];
    }
}

bool ChannelTableEdits::insertChannel() {
    const std::vector<int> rows = targets();
    if (rows.empty()) {
        return false;
    }
    return run([&](ChannelTable& table) {
        lumo::insertChannel(table, rows.front(), lastChannel());
        // The new channel is what the user works on next: it is the one picked, so the
        // next command on the picks reaches it and not the channel it pushed down.
        if (!selection_.empty()) {
            selection_.set({rows.front()});
        }
        editor_.CurrentCol = 1;
        editor_.CurrentRow = rows.front();
    });
}

bool ChannelTableEdits::deleteChannels() {
    const std::vector<int> rows = targets();
    if (rows.empty()) {
        return false;
    }
    return run([&](ChannelTable& table) {
        lumo::deleteChannels(table, rows, lastChannel());
        selection_.clear();
    });
}

bool ChannelTableEdits::clearChannels() {
    const std::vector<int> rows = targets();
    if (rows.empty()) {
        return false;
    }
    return run([&](ChannelTable& table) {
        for (const int row : rows) {
            for (int column = 1; column < ChannelTable::kColumns; ++column) {
                table.setCell(column, row, "");
            }
        }
    });
}

bool ChannelTableEdits::moveBy(int step) {
    const std::vector<int> rows = targets();
    if (rows.empty()) {
        return false;
    }
    const bool keepPicked = !selection_.empty();
    const bool moved = run([&](ChannelTable& table) {
        const RowMoves moves = moveChannelsBy(table, rows, step, lastChannel());
        if (!keepPicked) {
            selection_.clear();
        }
        follow(moves);
    });
    return moved;
}

bool ChannelTableEdits::moveBefore(int beforeRow) {
    const std::vector<int> rows = targets();
    if (rows.empty()) {
        return false;
    }
    return run([&](ChannelTable& table) {
        follow(moveChannelsTo(table, rows, firstRowOfDrop(rows, beforeRow), lastChannel()));
    });
}

bool ChannelTableEdits::sort(SortKey key, bool all) {
    const std::vector<int> rows = all ? std::vector<int>{} : targets();
    return run([&](ChannelTable& table) { sortChannels(table, rows, key, lastChannel()); });
}

bool ChannelTableEdits::setColumn(int column, std::string_view value) {
    const std::vector<int> rows = targets();
    if (rows.empty()) {
        return false;
    }
    return run([&](ChannelTable& table) {
        setChannelColumn(table, rows, column, value, lastChannel(), session_, vocabulary_);
    });
}

std::optional<std::string> ChannelTableEdits::copy() {
    if (session_.Busy || !editor_.settleCurrentCell()) {
        return std::nullopt;
    }
    const std::vector<int> rows = targets();
    if (rows.empty()) {
        return std::nullopt;
    }
    std::string text;
    try {
        text = channelsAsClipboardText(editor_.table(), rows, vocabulary_);
    } catch (const ConversionError& e) {
        dialogs_.showWarning(e.what());
        return std::nullopt;
    }
    if (rows.size() == 1) {
        for (int column = 1; column < ChannelTable::kColumns; ++column) {
            editor_.RowBuffer[static_cast<std::size_t>(column)] = editor_.table().cell(column, rows.front());
        }
        rowCopy_ = text;
    } else if (text.find('\n') + 1 == text.size()) {
        dialogs_.showWarning("There is no channel to copy: channels " + channelNumbersText(rows) +
                             " are empty.");
        return std::nullopt;
    }
    return text;
}

bool ChannelTableEdits::paste(std::string_view clipboard) {
    const int first = editor_.CurrentRow;
    if (session_.Busy || first < 1 || first > lastChannel()) {
        return false;
    }
    if (!holdsChannelText(clipboard) || clipboard == rowCopy_) {
        if (!editor_.settleCurrentCell()) {
            return false;
        }
        editor_.runRowAction(RowAction::Paste);
        return true;
    }
    std::vector<CsvLineNote> warnings;
    const bool pasted = run([&](ChannelTable& table) {
        const std::vector<int> rows =
            pasteChannelText(table, clipboard, first, lastChannel(), session_, warnings, vocabulary_);
        selection_.set(rows);
    });
    if (pasted && !warnings.empty()) {
        dialogs_.showMessage("Pasted with changes:\n" + formatLineNotes(warnings));
    }
    return pasted;
}

std::optional<int> ChannelTableEdits::find(std::string_view query) const {
    return findChannel(editor_.table(), query, editor_.CurrentRow, lastChannel());
}

bool ChannelTableEdits::replaceTable(const ChannelTable& table) {
    return run([&](ChannelTable& current) {
        current = table;
        selection_.clear();
        editor_.CurrentCol = 1;
        editor_.CurrentRow = 1;
    });
}

}  // namespace lumo
