#include "shell/app_state.h"

#include <chrono>
#include <cstdio>

#include "link/present_ports.h"
#include "link/serial_opener.h"

namespace lumo {

AppState::AppState(UserDialogs& userDialogs, std::unique_ptr<SettingsStore> settingsStore,
                   LinkTimings timings)
    : dialogs(userDialogs), store(std::move(settingsStore)) {
    refreshPorts();
    // The opener asks the current assignments, so a device plugged in later and
    // found by refreshPorts() is reachable without a new link.
    link = std::make_unique<HexLink>(
        [this, timings](const std::string& name, OpenFailure& why) {
            return makeSerialOpener(ports->portMap(), timings.serial)(name, why);
        },
        dialogs, timings, strings);
}

void AppState::refreshPorts() { ports = std::make_unique<PortAssignments>(*store, listPresentPorts()); }

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

void AppState::keepBackup(BackupKind kind, std::string_view content) {
    try {
        saveBackup(backupFolder(), kind, content, std::chrono::system_clock::now());
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
