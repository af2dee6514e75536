#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/session.h"
#include "base/user_dialogs.h"
#include "channels/channel_editor.h"
#include "channels/channel_reorder.h"
#include "channels/channel_selection.h"

namespace lumo {

// The edits of many channels the window's Edit menu offers, on the picked channels
// or, with none picked, the current cell's channel. Each first settles the current
// cell as leaving it would, so no half-typed channel takes part; runs as one undo
// step; keeps the picked channels and the current cell on their channels as they
// move; and tells the user why it was refused, changing nothing. While Busy they do
// nothing.
class ChannelTableEdits {
  public:
    ChannelTableEdits(ChannelEditor& editor, const Session& session, UserDialogs& dialogs,
                      const ChannelVocabulary& vocabulary = defaultVocabulary());
    ~ChannelTableEdits();
    ChannelTableEdits(const ChannelTableEdits&) = delete;
    ChannelTableEdits& operator=(const ChannelTableEdits&) = delete;

    ChannelSelection& selection() { return selection_; }
    const ChannelSelection& selection() const { return selection_; }
    // The channels the window shows: 1..lastChannel.
    int lastChannel() const;
    // The picked channels, else the current cell's channel (none before the window
    // has one).
    std::vector<int> targets() const;

    // An empty channel before the first target; the cursor goes to its RX cell.
    bool insertChannel();
    // The targets go; the rest close up.
    bool deleteChannels();
    // The targets are emptied where they stand.
    bool clearChannels();
    // One place up (-1) or down (+1).
    bool moveBy(int step);
    // Dropped in front of row `beforeRow` (lastChannel() + 1: after the last).
    bool moveBefore(int beforeRow);
    // The picked channels among themselves, or all channels when `all`.
    bool sort(SortKey key, bool all);
    bool setColumn(int column, std::string_view value);
    // Copy: the targets as clipboard text. One target is also copied into the row
    // buffer, as the row menu's Copy does. Nothing (told) when several targets hold no
    // channel.
    std::optional<std::string> copy();
    // Paste, given the clipboard's text. Channel text from a spreadsheet or another
    // Lumo fills channels from the current row on; but when the clipboard holds no
    // channel text, or still holds what this window's own one-row Copy put there, it
    // is the row menu's Paste of the row buffer into the current row, with its rules.
    bool paste(std::string_view clipboard);
    // Moves nothing: the row the query finds after the current one.
    std::optional<int> find(std::string_view query) const;
    // Replaces the whole table by `table` as one step, the picked channels forgotten.
    bool replaceTable(const ChannelTable& table);

  private:
    template <typename Edit>
    bool run(Edit&& edit);
    void follow(const RowMoves& moves);

    ChannelEditor& editor_;
    const Session& session_;
    UserDialogs& dialogs_;
    const ChannelVocabulary& vocabulary_;
    ChannelSelection selection_;
    // The clipboard text of the last one-row Copy.
    std::string rowCopy_;
};

}  // namespace lumo
