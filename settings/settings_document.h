#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "base/document_dialogs.h"
#include "settings/settings_commands.h"

namespace lumo {

// What the settings window's open and save dialogs offer.
FileDialogKind settingsFileDialog();

// The question asked before changed settings are closed.
inline constexpr const char* kSaveSettingsQuestion =
    "The settings have changes that are not saved. Save them?";

// The name Save proposes for settings taken from a backup.
inline constexpr const char* kRestoredSettingsName = "settings-restored.optw";

// The settings window's file side: Save and Open through the file dialogs, and
// whether the settings changed since they were last read, opened, saved or written.
// Save proposes the file last opened or saved here, or for settings taken from
// elsewhere the name given with them.
class SettingsDocument {
  public:
    SettingsDocument(SettingsForm& form, SettingsCommands& commands, const Session& session,
                     DocumentDialogs& documents);

    // Asks for a file name and saves the settings. False when cancelled or failed.
    bool saveSettings();
    // Asks for a settings file and loads it; a file that does not fit changes nothing.
    bool openSettings();
    // Whether the window may go: unchanged, saved on Yes, or given up on No.
    bool confirmClose();

    bool modified() const { return form_.saveLines() != unmodified_; }
    void markUnmodified() { unmodified_ = form_.saveLines(); }

    // The settings now come from no file: they belong to none, and Save proposes
    // `proposedName` in the folder the file dialog starts in rather than overwrite the
    // file last opened.
    void startUnnamed(std::string proposedName);
    // Takes a backup's settings as Open takes a file's, but as settings of no file, still
    // to be saved; a backup that does not fit changes nothing.
    bool openBackup(const std::filesystem::path& backup);

    // The file last opened or saved, empty before either.
    const std::filesystem::path& currentFile() const { return currentFile_; }

  private:
    SettingsForm& form_;
    SettingsCommands& commands_;
    const Session& session_;
    DocumentDialogs& documents_;
    std::vector<std::string> unmodified_;
    std::filesystem::path currentFile_;
    std::string proposedName_;
};

// A sentence on what a settings control does on the radio, for its tooltip; empty for
// a control that has none.
std::string settingsToolTip(std::string_view controlName);

}  // namespace lumo
