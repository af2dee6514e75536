#include "channels/channel_document.h"

#include <stdexcept>

#include "channels/channel_file.h"
#include "channels/chirp_csv.h"

namespace lumo {

FileDialogKind channelFileDialog() {
    return {"chnw", "chnw file(*.chnw)|*.chnw|CHIRP CSV (*.csv)|*.csv"};
}

ChannelDocument::ChannelDocument(ChannelEditor& editor, const Session& session,
                                 DocumentDialogs& documents, UserDialogs& dialogs)
    : editor_(editor), session_(session), documents_(documents), dialogs_(dialogs) {}

bool ChannelDocument::loadChosenFile() {
    return load(true);
}

bool ChannelDocument::Button5Click() {
    if (session_.Busy) {
        return false;
    }
    const bool loaded = load(true);
    editor_.hideCombo();
    return loaded;
}

void ChannelDocument::Button3Click() {
    if (session_.Busy) {
        return;
    }
    editor_.Button3Click();
    currentFile_.clear();
}

// One undo step for the file and the shown rows.
bool ChannelDocument::load(bool showChannels1To99) {
    const auto path = documents_.chooseOpenFile(channelFileDialog());
    bool loaded = false;
    const bool wasModified = editor_.modified();
    try {
        editor_.change([&] {
            if (path && isChirpCsvPath(*path)) {
                LoadChirpCsv(editor_.table(), *path, session_, dialogs_);
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
        dialogs_.showMessage(e.what());
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

bool ChannelDocument::Button4Click() {
    if (session_.Busy) {
        return false;
    }
    editor_.hideCombo();
    const auto path = documents_.chooseSaveFile(channelFileDialog(), currentFile_);
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
        dialogs_.showMessage(e.what());
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
        case SaveChangesAnswer::Save: return Button4Click();
        case SaveChangesAnswer::Discard: return true;
        case SaveChangesAnswer::Cancel: return false;
    }
    return false;
}

}  // namespace lumo
