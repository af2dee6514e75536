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
    // The targets as clipboard text; nothing when there is no channel among them.
    std::optional<std::string> copyText();
    // Channels from a spreadsheet or another Lumo, from the current row on.
    bool paste(std::string_view text);
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
};

}  // namespace lumo
