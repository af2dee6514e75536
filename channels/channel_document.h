#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "base/document_dialogs.h"
#include "channels/channel_editor.h"
#include "channels/chirp_csv.h"

namespace lumo {

// What the channel window's open and save dialogs offer.
FileDialogKind channelFileDialog();

// The question asked before a changed table is closed.
inline constexpr const char* kSaveChangesQuestion =
    "The channel table has changes that are not saved. Save them?";

// The names Save proposes for a table that came from no file of the user's.
inline constexpr const char* kRestoredChannelsName = "channels-restored.chnw";
inline constexpr const char* kNewChannelsName = "channels-new.chnw";

// The channel window's file commands: Open and Save through the file dialogs, and the
// question before a changed table is closed. A path ending in .csv is a CHIRP CSV file,
// any other a channel file. Errors are shown with their own text and leave the table
// as it was. A CSV file with some bad rows is offered in part: the user may take its
// good rows. Save proposes the file last opened or saved here, or for a table started
// from elsewhere the name given with it.
class ChannelDocument {
  public:
    ChannelDocument(ChannelEditor& editor, const Session& session, DocumentDialogs& documents,
                    UserDialogs& dialogs);

    // Asks for a channel or CSV file and loads it; the window then shows channels 1..99.
    // False when cancelled, refused or failed. Does nothing while Busy.
    bool openTable();
    // The same without the Busy test, for showing the window.
    bool loadChosenFile();
    // Asks for a file name and saves the table. False when cancelled or failed.
    bool saveTable();
    // Whether the table may go: unchanged, saved on Yes, or given up on No.
    bool confirmClose();
    // New: empties the shown channels, which then belong to no file.
    void newTable();

    // The table now comes from no file (a backup, a template): it belongs to none, and
    // Save proposes `proposedName` in the folder the file dialog starts in rather than
    // overwrite the file last opened.
    void startUnnamed(std::string proposedName);

    // The file last opened or saved, empty for a new table.
    const std::filesystem::path& currentFile() const { return currentFile_; }

  private:
    bool load(bool showChannels1To99);
    // The CSV file's channels to load, or nothing when the user declined its good rows.
    // Throws as readChirpCsvFile does for a file refused as a whole or without good rows.
    std::optional<ChirpCsvChannels> csvToLoad(const std::filesystem::path& path);

    ChannelEditor& editor_;
    const Session& session_;
    DocumentDialogs& documents_;
    UserDialogs& dialogs_;
    std::filesystem::path currentFile_;
    std::string proposedName_;
};

}  // namespace lumo
