#include "shell/app_state.h"

#include <chrono>
#include <cstdio>

#include "link/present_ports.h"
#include "link/serial_opener.h"
#include "shell/preferences.h"

namespace lumo {

AppState::AppState(UserDialogs& userDialogs, std::unique_ptr<SettingsStore> settingsStore,
                   LinkTimings timings, PortLister listPorts)
    : dialogs(userDialogs), store(std::move(settingsStore)), listPorts_(std::move(listPorts)) {
    refreshPorts();
    // The opener asks the current assignments, so a device plugged in later and
    // found by refreshPorts() is reachable without a new link.
    link = std::make_unique<HexLink>(
        [this, timings](const std::string& name, OpenFailure& why) {
            return makeSerialOpener(portMap(), timings.serial)(name, why);
        },
        dialogs, timings, strings);
}

AppState::PortLister AppState::defaultPortLister() {
    return [] { return listPresentPorts(); };
}

void AppState::refreshPorts() {
    auto fresh = std::make_unique<PortAssignments>(*store, listPorts_());
    const std::lock_guard lock(portsMutex_);
    ports = std::move(fresh);
}

PortMap AppState::portMap() const {
    const std::lock_guard lock(portsMutex_);
    return ports->portMap();
}

std::filesystem::path programFolder(const std::filesystem::path& programPath) {
    std::filesystem::path folder = programPath.parent_path();
    if (folder.empty()) {
        folder = ".";
    }
    return folder / "";
}

void ProbePorts(AppState& state, const std::filesystem::path& programPath) {
    state.AppDir = programFolder(programPath);
    // A missing or busy port is of no interest here.
    if (state.link->OpenLinkPort(state.link->PortName)) {
        state.link->CloseLinkPort();
    }
    // Before any channel is decoded, the option words take the interface texts.
    state.vocabulary = makeChannelVocabulary(state.strings);
}

void AppState::keepBackup(BackupKind kind, std::string_view content, BackupOrigin origin) {
    try {
        const auto now = std::chrono::system_clock::now();
        saveBackup(backupFolder(), kind, content, now, origin);
        if (store) {
            pruneBackups(backupFolder(), loadPreferences(*store).keepBackupDays, now);
        }
    } catch (const std::exception& e) {
        const std::string text = std::string("No backup was kept: ") + e.what();
        if (warn) {
            warn(text);
        } else {
            std::fprintf(stderr, "%s\n", text.c_str());
        }
    }
}

}  // namespace lumo
