#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "base/user_dialogs.h"
#include "channels/channel_table.h"

namespace lumo::cli {

// The files the channel verbs take, told apart by extension: a MemoryImage (.img),
// the channel window's file (.chnw) or a CHIRP CSV file (.csv).
enum class ChannelDocument { Image, TableFile, Csv };

// Throws std::invalid_argument for any other extension.
ChannelDocument channelDocumentOf(const std::filesystem::path& path);

struct OpenOptions {
    // A CSV file's rows with problems are left out and listed instead of refusing it.
    bool skipInvalid = false;
    // The rows the file itself says stand (a .chnw's row count, all 128 channels of an
    // image) instead of the window's channels 1..99.
    bool keepFileRowCount = false;
};

// The table a new channel window holds after reading a radio with this image, or
// after opening this channel file: channels 1..99 shown (unless keepFileRowCount),
// the rest kept. A CSV file gives its channels and nothing else, showing all 128
// rows when it has a channel above 99; its warnings and skipped rows are told to
// the user. Nothing when the channel file's type line was wrong (the user has been
// told). Throws ChirpCsvError for a refused CSV file.
std::optional<ChannelTable> openChannelDocument(const std::filesystem::path& path,
                                                UserDialogs& dialogs, OpenOptions options = {});

// What the window's Save writes (.chnw or .csv), or the image its Write sends (.img).
void saveChannelDocument(const ChannelTable& table, const std::filesystem::path& path);

// The non-empty channels under the column titles: the columns the window shows and
// the name, or all.
std::string formatChannelListing(const ChannelTable& table, bool allColumns);

}  // namespace lumo::cli
