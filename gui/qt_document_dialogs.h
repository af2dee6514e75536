// The open and save file dialogs and the save-changes question.
#pragma once

#include <QPointer>
#include <QWidget>

#include "base/document_dialogs.h"
#include "link/settings_store.h"

namespace lumo {

// Qt's file dialogs and a Yes/No/Cancel box, modal on the window thread. The file
// dialogs start where dialogStart says and remember the folder of each chosen file in
// `store`.
class QtDocumentDialogs final : public DocumentDialogs {
public:
    explicit QtDocumentDialogs(SettingsStore& store, QWidget* parent = nullptr)
        : store_(store), parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    std::optional<std::filesystem::path> chooseOpenFile(const FileDialogKind& kind) override;
    std::optional<std::filesystem::path> chooseSaveFile(
        const FileDialogKind& kind, const std::filesystem::path& currentFile = {}) override;
    SaveChangesAnswer askSaveChanges(const std::string& question) override;

private:
    std::optional<std::filesystem::path> choose(const FileDialogKind& kind, bool save,
                                                const std::filesystem::path& currentFile);

    SettingsStore& store_;
    QPointer<QWidget> parent_;
};

}  // namespace lumo
