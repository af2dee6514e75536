#pragma once

#include <array>
#include <string>
#include <vector>

#include "base/languagestr.h"
#include "channels/channel_vocabulary.h"

namespace lumo {

// The entries an option column (3..11) offers, in the option box's order; none for
// other columns.
std::vector<std::string> optionEntries(int column, const LanguageStrings& strings,
                                       const ChannelVocabulary& vocabulary);

// What the option cells 3..11 of a new channel hold (index = column; the others empty).
std::array<std::string, 13> newChannelOptions(const LanguageStrings& strings);

}  // namespace lumo
