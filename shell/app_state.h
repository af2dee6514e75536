#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <memory>
#include <mutex>
#include <vector>

#include "base/document_dialogs.h"
#include "base/languagestr.h"
#include "base/session.h"
#include "base/user_dialogs.h"
#include "channels/channel_vocabulary.h"
#include "link/hex_link.h"
#include "link/port_choice.h"
#include "link/settings_store.h"
#include "shell/backups.h"
#include "shell/radio_knowledge.h"

namespace lumo {

// The program-wide state kept with the main window: the interface texts, the session,
// the radio link, the program folder and the per-user store. The windows read and
// write it through a reference; nothing else is global.
struct AppState {
    // Where the present serial devices come from; tests list devices of their own.
    using PortLister = std::function<std::vector<PresentPort>()>;

    AppState(UserDialogs& dialogs, std::unique_ptr<SettingsStore> settingsStore,
             LinkTimings timings = {}, PortLister listPorts = defaultPortLister());

    LanguageStrings strings;
    Session session{strings};
    UserDialogs& dialogs;
    // A warning that must not interrupt the user (a backup that could not be kept):
    // the window program shows it in its status bar; by default it goes to stderr.
    std::function<void(const std::string&)> warn;
    // File dialogs and the unsaved-changes question; the window program sets its own.
    std::unique_ptr<DocumentDialogs> documents = std::make_unique<NoDocumentDialogs>();
    std::unique_ptr<SettingsStore> store;
    // Replaced by refreshPorts() on the window thread; a transfer's worker resolves
    // names through portMap(), which takes the lock.
    std::unique_ptr<PortAssignments> ports;
    std::unique_ptr<HexLink> link;
    std::filesystem::path AppDir;
    // The words of the channel option columns and tones, filled at start-up.
    ChannelVocabulary vocabulary;
    // What the radio's channel area and settings are known to hold, whichever window
    // last saw them; a window closed and opened again still knows.
    RadioKnowledge channelsOnRadio;
    RadioKnowledge settingsOnRadio;

    // Looks for serial devices again and gives new ones their comN numbers.
    void refreshPorts();
    PortMap portMap() const;
    // Keeps a copy of what a read brought, or a record of what a write sent, in the
    // backups folder; a failure is a warning.
    void keepBackup(BackupKind kind, std::string_view content,
                    BackupOrigin origin = BackupOrigin::Read);

private:
    static PortLister defaultPortLister();

    PortLister listPorts_;
    mutable std::mutex portsMutex_;
};

// The folder of the program file `programPath`, with a trailing separator: where the
// window finds its picture files.
std::filesystem::path programFolder(const std::filesystem::path& programPath);

// The start-up routine: notes the program folder (with `programPath` the program
// file), opens and closes the current port once, silently, and fills the channel
// vocabulary with the option words.
void ProbePorts(AppState& state, const std::filesystem::path& programPath);

}  // namespace lumo
