// The open and save file dialogs and the save-changes question.
#include "gui/qt_document_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QStandardPaths>

#include "gui/qt_dialogs.h"
#include "shell/file_dialog_start.h"

namespace lumo {
namespace {

std::filesystem::path pathOf(const QString& text) {
    return std::filesystem::path(text.toStdString());
}

DialogStart startFor(const SettingsStore& store, const std::filesystem::path& currentFile) {
    const StartFolders folders{
        rememberedFolder(store),
        pathOf(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)),
        pathOf(QDir::homePath()),
    };
    return dialogStart(folders, currentFile, [](const std::filesystem::path& folder) {
        return QFileInfo(QString::fromStdString(folder.string())).isDir();
    });
}

}  // namespace

std::optional<std::filesystem::path> QtDocumentDialogs::choose(
    const FileDialogKind& kind, bool save, const std::filesystem::path& currentFile) {
    const DialogStart start = startFor(store_, currentFile);
    QFileDialog dialog(parent_);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilter(QString::fromStdString(descriptionsOfFilter(kind.filter)));
    dialog.setDefaultSuffix(QString::fromStdString(kind.defaultExtension));
    dialog.setDirectory(QString::fromStdString(start.folder.string()));
    if (!start.fileName.empty()) {
        const std::string description = descriptionForFile(kind.filter, start.fileName);
        if (!description.empty()) {
            dialog.selectNameFilter(QString::fromStdString(description));
        }
        dialog.selectFile(QString::fromStdString(start.fileName));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    const std::filesystem::path chosen = pathOf(dialog.selectedFiles().constFirst());
    rememberFolderOf(store_, chosen);
    return chosen;
}

std::optional<std::filesystem::path> QtDocumentDialogs::chooseOpenFile(const FileDialogKind& kind) {
    return choose(kind, false, {});
}

std::optional<std::filesystem::path> QtDocumentDialogs::chooseSaveFile(
    const FileDialogKind& kind, const std::filesystem::path& currentFile) {
    return choose(kind, true, currentFile);
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
