#pragma once

#include "base/languagestr.h"
#include "channels/channel_table.h"

namespace lumo {

// The name the built-in PMR446 template is offered under.
inline constexpr const char* kPmr446TemplateName = "PMR446";

// A table holding the 16 PMR446 channels, 446.00625 to 446.19375 MHz in 12.5 kHz
// steps, narrow, low power, no tones, named PMR1 to PMR16; the other channels empty
// and channels 1..99 shown.
ChannelTable pmr446Table(const LanguageStrings& strings);

}  // namespace lumo
