#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "link/settings_store.h"

namespace lumo {

// Where the channel and settings windows' file dialogs start: both share one remembered
// folder, kept in the per-user store between runs.
inline constexpr const char* kLastFolderKey = "Files/lastFolder";

// The folders a file dialog may start in, as the front end found them.
struct StartFolders {
    std::filesystem::path remembered;  // empty when nothing was chosen yet
    std::filesystem::path documents;   // the user's documents folder
    std::filesystem::path home;
};

// What a file dialog shows first: a folder and, for a Save, a proposed file name.
struct DialogStart {
    std::filesystem::path folder;
    std::string fileName;  // empty: none proposed

    friend bool operator==(const DialogStart&, const DialogStart&) = default;
};

// The remembered folder while it is still a folder, else the documents folder, else
// home; relative paths never count, so a dialog cannot open in whatever the working
// directory happens to be. `currentFile` is the window's file: its name is proposed.
DialogStart dialogStart(const StartFolders& folders, const std::filesystem::path& currentFile,
                        const std::function<bool(const std::filesystem::path&)>& isFolder);

// The folder kept by rememberFolderOf, empty when none is.
std::filesystem::path rememberedFolder(const SettingsStore& store);

// Keeps the folder of a file the user just chose, for the next dialog of either window.
void rememberFolderOf(SettingsStore& store, const std::filesystem::path& chosenFile);

}  // namespace lumo
