#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "channels/channel_table.h"
#include "link/user_dialogs.h"

namespace lumo::cli {

// The files the channel verbs take, told apart by extension: a MemoryImage (.img) or
// the channel window's file (.chnw).
enum class ChannelDocument { Image, TableFile };

// Throws std::invalid_argument for any other extension.
ChannelDocument channelDocumentOf(const std::filesystem::path& path);

// The table a new channel window holds after reading a radio with this image, or
// after opening this channel file: channels 1..99 shown, the rest kept. Nothing when
// the channel file's type line was wrong (the user has been told).
std::optional<ChannelTable> openChannelDocument(const std::filesystem::path& path,
                                                UserDialogs& dialogs);

// What the window's Save writes (.chnw), or the image its Write sends (.img).
void saveChannelDocument(const ChannelTable& table, const std::filesystem::path& path);

// The non-empty channels under the column titles, with the shown columns or all.
std::string formatChannelListing(const ChannelTable& table, bool allColumns);

}  // namespace lumo::cli
