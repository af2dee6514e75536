// File > Backups...: the copies kept of every read and the record of every write.
#include "gui/backups_dialog.h"

#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "settings/optw_file.h"
#include "settings/settings_form.h"
#include "settings/settings_listing.h"

namespace lumo {
namespace {

constexpr int kSettingsInSummary = 3;

// The first settings of the file as the listing shows them, "Volume: 5; ...".
QString settingsSummary(const BackupEntry& entry) {
    try {
        SettingsForm form;
        form.loadLines(readOptwFile(entry.file));
        const std::vector<std::string> listing = settingsListing(form);
        QStringList shown;
        for (int i = 0; i < kSettingsInSummary && i < static_cast<int>(listing.size()); ++i) {
            shown << QString::fromStdString(listing[static_cast<std::size_t>(i)]);
        }
        return shown.join("; ");
    } catch (const std::exception&) {
        return "(unreadable)";
    }
}

QString whatItHolds(const BackupEntry& entry) {
    if (entry.kind == BackupKind::Settings) {
        return settingsSummary(entry);
    }
    return entry.channelsSet < 0 ? QString("(unreadable)")
                                 : QString("%1 channel(s) set").arg(entry.channelsSet);
}

}  // namespace

BackupsDialog::BackupsDialog(std::filesystem::path folder,
                             std::function<void(const BackupEntry&)> open, QWidget* parent)
    : QDialog(parent), folder_(std::move(folder)), open_(std::move(open)) {
    setWindowTitle("Backups");
    resize(640, 420);
    auto* layout = new QVBoxLayout(this);
    auto* where = new QLabel(QString("Kept in %1. \"read\" is what a radio held; \"written\" is "
                                     "what Lumo sent to one.")
                                 .arg(QString::fromStdString(folder_.string())),
                             this);
    where->setWordWrap(true);
    layout->addWidget(where);
    list_ = new QTreeWidget(this);
    list_->setHeaderLabels({"Time", "Kind", "Read or written", "Holds", "File"});
    list_->setRootIsDecorated(false);
    list_->setAccessibleName("Backups, newest first");
    list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    layout->addWidget(list_);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* openButton = buttons->addButton("&Open", QDialogButtonBox::ActionRole);
    QPushButton* showButton = buttons->addButton("&Show in folder", QDialogButtonBox::ActionRole);
    QPushButton* deleteButton = buttons->addButton("&Delete", QDialogButtonBox::ActionRole);
    buttons->addButton(QDialogButtonBox::Close);
    connect(openButton, &QPushButton::clicked, this, &BackupsDialog::openPicked);
    connect(showButton, &QPushButton::clicked, this, &BackupsDialog::showPickedInFolder);
    connect(deleteButton, &QPushButton::clicked, this, &BackupsDialog::deletePicked);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QTreeWidget::itemActivated, this, [this] { openPicked(); });
    layout->addWidget(buttons);
    confirm = [this](const QString& question) {
        return QMessageBox::question(this, "Backups", question) == QMessageBox::Yes;
    };
    fill();
}

void BackupsDialog::fill() {
    entries_ = listBackups(folder_);
    list_->clear();
    for (const BackupEntry& entry : entries_) {
        list_->addTopLevelItem(new QTreeWidgetItem(
            {QString::fromStdString(entry.time),
             entry.kind == BackupKind::Channels ? "channels" : "settings",
             originName(entry.origin), whatItHolds(entry),
             QString::fromStdString(entry.file.filename().string())}));
    }
    if (!entries_.empty()) {
        list_->setCurrentItem(list_->topLevelItem(0));
    }
}

const BackupEntry* BackupsDialog::picked() const {
    const int row = list_->indexOfTopLevelItem(list_->currentItem());
    return row >= 0 && row < static_cast<int>(entries_.size()) ? &entries_[static_cast<std::size_t>(row)]
                                                               : nullptr;
}

void BackupsDialog::openPicked() {
    if (const BackupEntry* entry = picked()) {
        const BackupEntry chosen = *entry;
        accept();
        open_(chosen);
    }
}

void BackupsDialog::showPickedInFolder() {
    const BackupEntry* entry = picked();
    QDesktopServices::openUrl(QUrl::fromLocalFile(
        QString::fromStdString((entry != nullptr ? entry->file.parent_path() : folder_).string())));
}

void BackupsDialog::deletePicked() {
    const BackupEntry* entry = picked();
    if (entry == nullptr ||
        !confirm(QString("Delete the backup %1? It cannot be brought back.")
                     .arg(QString::fromStdString(entry->file.filename().string())))) {
        return;
    }
    std::error_code ignored;
    std::filesystem::remove(entry->file, ignored);
    fill();
}

}  // namespace lumo
