#include "shell/file_dialog_start.h"

namespace lumo {

DialogStart dialogStart(const StartFolders& folders, const std::filesystem::path& currentFile,
                        const std::function<bool(const std::filesystem::path&)>& isFolder) {
    DialogStart start{std::filesystem::path("/"), currentFile.filename().string()};
    for (const auto* folder : {&folders.remembered, &folders.documents, &folders.home}) {
        if (folder->is_absolute() && isFolder(*folder)) {
            start.folder = *folder;
            break;
        }
    }
    return start;
}

std::filesystem::path rememberedFolder(const SettingsStore& store) {
    return std::filesystem::path(store.value(kLastFolderKey).value_or(std::string()));
}

void rememberFolderOf(SettingsStore& store, const std::filesystem::path& chosenFile) {
    const std::filesystem::path folder = chosenFile.parent_path();
    if (folder.is_absolute()) {
        store.setValue(kLastFolderKey, folder.string());
    }
}

}  // namespace lumo
