#pragma once

#include <filesystem>
#include <optional>

#include "base/languagestr.h"
#include "base/session.h"
#include "base/user_dialogs.h"
#include "channels/channel_table.h"

namespace lumo {

// The name the built-in PMR446 template is offered under.
inline constexpr const char* kPmr446TemplateName = "PMR446";

// A table holding the 16 PMR446 channels, 446.00625 to 446.19375 MHz in 12.5 kHz
// steps, narrow, low power, no tones, named PMR1 to PMR16; the other channels empty
// and channels 1..99 shown.
ChannelTable pmr446Table(const LanguageStrings& strings);

// A template the user keeps, read as Open reads it (a .csv as CHIRP's file, any other
// as a channel file), showing channels 1..99. Nothing when a channel file's type line
// is wrong (the user has been told); throws as Open's readers do.
std::optional<ChannelTable> readTemplateFile(const std::filesystem::path& file,
                                             const Session& session, UserDialogs& dialogs);

}  // namespace lumo
