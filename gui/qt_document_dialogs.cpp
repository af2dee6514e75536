// The open and save file dialogs and the save-changes question.
#include "gui/qt_document_dialogs.h"

#include <QFileDialog>
#include <QMessageBox>

#include "gui/qt_dialogs.h"

namespace lumo {

std::optional<std::filesystem::path> QtDocumentDialogs::choose(const FileDialogKind& kind,
                                                               bool save) {
    QFileDialog dialog(parent_);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilter(QString::fromStdString(descriptionsOfFilter(kind.filter)));
    dialog.setDefaultSuffix(QString::fromStdString(kind.defaultExtension));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return std::filesystem::path(dialog.selectedFiles().constFirst().toStdString());
}

std::optional<std::filesystem::path> QtDocumentDialogs::chooseOpenFile(const FileDialogKind& kind) {
    return choose(kind, false);
}

std::optional<std::filesystem::path> QtDocumentDialogs::chooseSaveFile(const FileDialogKind& kind) {
    return choose(kind, true);
}

SaveChangesAnswer QtDocumentDialogs::askSaveChanges(const std::string& question) {
    const auto answer = QMessageBox::question(
        parent_, QString(kMessageCaption), QString::fromStdString(question),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    switch (answer) {
        case QMessageBox::Yes: return SaveChangesAnswer::Save;
        case QMessageBox::No: return SaveChangesAnswer::Discard;
        default: return SaveChangesAnswer::Cancel;
    }
}

}  // namespace lumo
