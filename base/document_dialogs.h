#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace lumo {

// What a file dialog offers: the extension added to a name typed without one, and the
// filter in the "description|pattern" form the windows describe their files with.
struct FileDialogKind {
    std::string defaultExtension;
    std::string filter;
};

// The answer to "save the changes?" before a document is closed.
enum class SaveChangesAnswer { Save, Discard, Cancel };

// How a window asks the user for a file or about unsaved changes. The window program
// shows its file dialogs and a Yes/No/Cancel box; tests answer from a script.
class DocumentDialogs {
public:
    virtual ~DocumentDialogs() = default;

    // The chosen file, or nothing when the user cancelled. A Save proposes the name of
    // `currentFile`, the file the window last opened or saved, or a bare name for data
    // that came from no file (empty: none).
    virtual std::optional<std::filesystem::path> chooseOpenFile(const FileDialogKind& kind) = 0;
    virtual std::optional<std::filesystem::path> chooseSaveFile(
        const FileDialogKind& kind, const std::filesystem::path& currentFile = {}) = 0;
    virtual SaveChangesAnswer askSaveChanges(const std::string& question) = 0;
};

// For front ends without windows: every dialog is cancelled.
class NoDocumentDialogs final : public DocumentDialogs {
public:
    std::optional<std::filesystem::path> chooseOpenFile(const FileDialogKind&) override {
        return std::nullopt;
    }
    std::optional<std::filesystem::path> chooseSaveFile(
        const FileDialogKind&, const std::filesystem::path& = {}) override {
        return std::nullopt;
    }
    SaveChangesAnswer askSaveChanges(const std::string&) override {
        return SaveChangesAnswer::Cancel;
    }
};

// "chnw file(*.chnw)|*.chnw" as the name filters of a Qt-style dialog: the description
// of each pair, which already names its patterns.
std::string descriptionsOfFilter(const std::string& filter);

// The description of the first pair whose pattern ("*.csv", "*.*") takes `file`, so a
// dialog proposing a .csv shows CSV files; empty when none does.
std::string descriptionForFile(const std::string& filter, const std::filesystem::path& file);

}  // namespace lumo
