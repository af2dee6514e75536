// File > Backups...: the copies kept of every read and the record of every write.
#pragma once

#include <QDialog>
#include <QTreeWidget>
#include <filesystem>
#include <functional>

#include "shell/backups.h"

namespace lumo {

// Lists the backups newest first (time, read or written, what they hold) and opens,
// shows or deletes the one picked. Opening hands the file to `open`, which loads it
// into the matching window.
class BackupsDialog final : public QDialog {
    Q_OBJECT
public:
    BackupsDialog(std::filesystem::path folder,
                  std::function<void(const BackupEntry& entry)> open, QWidget* parent = nullptr);

    QTreeWidget* list() const { return list_; }
    // The buttons' commands, on the picked backup.
    void openPicked();
    void showPickedInFolder();
    void deletePicked();
    // Asked before a backup is deleted; tests answer it.
    std::function<bool(const QString& question)> confirm;

private:
    void fill();
    const BackupEntry* picked() const;

    std::filesystem::path folder_;
    std::function<void(const BackupEntry&)> open_;
    std::vector<BackupEntry> entries_;
    QTreeWidget* list_;
};

}  // namespace lumo
