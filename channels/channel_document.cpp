#include "channels/channel_document.h"

#include <stdexcept>
#include <string>

#include "channels/channel_file.h"

namespace lumo {
namespace {

std::string rowsText(std::size_t count, const char* what) {
    return std::to_string(count) + " " + what + (count == 1 ? " row" : " rows");
}

// The words of the button that loads the good rows of a partly bad CSV file.
std::string takeGoodRowsAction(const ChirpCsvChannels& channels) {
    return "Take the " + rowsText(channels.channels.size(), "good");
}

std::string takeGoodRowsQuestion(const std::filesystem::path& path,
                                 const ChirpCsvChannels& channels) {
    const bool oneBad = channels.skipped.size() == 1;
    return path.string() + ": " + rowsText(channels.skipped.size(), "bad") + " cannot be taken:\n" +
           formatLineNotes(channels.skipped) + takeGoodRowsAction(channels) +
           (oneBad ? " and leave the bad one out?" : " and leave the bad ones out?");
}

}  // namespace

FileDialogKind channelFileDialog() {
    return {"chnw", "chnw file(*.chnw)|*.chnw|CHIRP CSV (*.csv)|*.csv"};
}

ChannelDocument::ChannelDocument(ChannelEditor& editor, const Session& session,
                                 DocumentDialogs& documents, UserDialogs& dialogs)
    : editor_(editor), session_(session), documents_(documents), dialogs_(dialogs) {}

bool ChannelDocument::loadChosenFile() {
    return load(true);
}

bool ChannelDocument::openTable() {
    if (session_.Busy) {
        return false;
    }
    const bool loaded = load(true);
    editor_.hideCombo();
    return loaded;
}

void ChannelDocument::newTable() {
    if (session_.Busy) {
        return;
    }
    editor_.emptyShownChannels();
    startUnnamed({});
}

void ChannelDocument::startUnnamed(std::string proposedName) {
    currentFile_.clear();
    proposedName_ = std::move(proposedName);
}

std::optional<ChirpCsvChannels> ChannelDocument::csvToLoad(const std::filesystem::path& path) {
    // Read once with the bad rows set aside, so the good ones can be offered without
    // reading the file again.
    ChirpCsvChannels channels = readChirpCsvFile(path, session_, {.skipInvalid = true});
    if (channels.skipped.empty()) {
        return channels;
    }
    if (channels.channels.empty()) {
        throw ChirpCsvError(path, ChirpCsvError(channels.skipped));
    }
    if (!dialogs_.offer(takeGoodRowsQuestion(path, channels), takeGoodRowsAction(channels))) {
        return std::nullopt;
    }
    return channels;
}

// One undo step for the file and the shown rows.
bool ChannelDocument::load(bool showChannels1To99) {
    const auto path = documents_.chooseOpenFile(channelFileDialog());
    std::optional<ChirpCsvChannels> csv;
    if (path && isChirpCsvPath(*path)) {
        try {
            csv = csvToLoad(*path);
        } catch (const std::exception& e) {
            dialogs_.showWarning(e.what());
            return false;
        }
        if (!csv) {
            return false;
        }
    }
    bool loaded = false;
    const bool wasModified = editor_.modified();
    try {
        editor_.change([&] {
            if (csv) {
                applyChirpCsvFile(editor_.table(), *path, *csv, dialogs_);
                loaded = true;
            } else if (path) {
                loaded = LoadChannelFile(editor_.table(), *path, dialogs_, kChannelFileType,
                                         session_.strings());
            }
            if (showChannels1To99) {
                editor_.table().setRowCount(ChannelTable::kShownRowCount);
            }
        });
    } catch (const std::exception& e) {
        dialogs_.showWarning(e.what());
        return false;
    }
    if (loaded || !wasModified) {
        editor_.markUnmodified();
    }
    if (loaded) {
        currentFile_ = *path;
    }
    return loaded;
}

bool ChannelDocument::saveTable() {
    if (session_.Busy) {
        return false;
    }
    editor_.hideCombo();
    const auto path = documents_.chooseSaveFile(
        channelFileDialog(), currentFile_.empty() ? std::filesystem::path(proposedName_) : currentFile_);
    if (!path) {
        return false;
    }
    try {
        if (isChirpCsvPath(*path)) {
            SaveChirpCsv(editor_.table(), *path);
        } else {
            SaveChannelFile(editor_.table(), *path);
        }
    } catch (const std::exception& e) {
        dialogs_.showWarning(e.what());
        return false;
    }
    editor_.markUnmodified();
    currentFile_ = *path;
    return true;
}

bool ChannelDocument::confirmClose() {
    if (!editor_.modified()) {
        return true;
    }
    switch (documents_.askSaveChanges(kSaveChangesQuestion)) {
        case SaveChangesAnswer::Save: return saveTable();
        case SaveChangesAnswer::Discard: return true;
        case SaveChangesAnswer::Cancel: return false;
    }
    return false;
}

}  // namespace lumo
