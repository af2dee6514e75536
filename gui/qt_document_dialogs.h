// The open and save file dialogs and the save-changes question.
#pragma once

#include <QPointer>
#include <QWidget>

#include "base/document_dialogs.h"

namespace lumo {

// Qt's file dialogs and a Yes/No/Cancel box, modal on the window thread.
class QtDocumentDialogs final : public DocumentDialogs {
public:
    explicit QtDocumentDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    std::optional<std::filesystem::path> chooseOpenFile(const FileDialogKind& kind) override;
    std::optional<std::filesystem::path> chooseSaveFile(const FileDialogKind& kind) override;
    SaveChangesAnswer askSaveChanges(const std::string& question) override;

private:
    std::optional<std::filesystem::path> choose(const FileDialogKind& kind, bool save);

    QPointer<QWidget> parent_;
};

}  // namespace lumo
