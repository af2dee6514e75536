// The channel window's Sort, Set column and Find dialogs.
#pragma once

#include <QString>
#include <QWidget>
#include <optional>
#include <string>

#include "base/languagestr.h"
#include "channels/channel_column_set.h"
#include "channels/channel_reorder.h"
#include "channels/channel_vocabulary.h"

namespace lumo {

struct SortChoice {
    SortKey key = SortKey::RxFrequency;
    bool all = true;  // all channels, not only the picked ones
};

// Which key and which channels; `picked` is how many channels are picked (the choice
// of all channels is the only one below two).
std::optional<SortChoice> askSort(QWidget* parent, int picked);

// A column of the grid and the value to give it, for the channels `targets` names (as
// channelNumbersText gives them). The dialog opens on `last`, what it was last answered
// with in this window, and keeps the new answer there.
std::optional<ColumnChoice> askColumnValue(QWidget* parent, const LanguageStrings& strings,
                                           const ChannelVocabulary& vocabulary,
                                           const std::string& targets, ColumnChoice& last);

// A frequency or a name to look for, starting from the last one looked for.
std::optional<QString> askFindText(QWidget* parent, const QString& last);

}  // namespace lumo
