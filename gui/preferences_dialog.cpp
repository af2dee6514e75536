// Edit > Preferences...: review and verify around writes, names, how long backups stay,
// the light or dark look.
#include "gui/preferences_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QUrl>
#include <QVBoxLayout>

namespace lumo {

std::optional<Preferences> askPreferences(QWidget* parent, const Preferences& current,
                                          const std::filesystem::path& backups) {
    QDialog dialog(parent);
    dialog.setWindowTitle("Preferences");
    auto* layout = new QVBoxLayout(&dialog);
    auto* review = new QCheckBox("&Review the changes before each write", &dialog);
    auto* verify = new QCheckBox("&Verify each write by reading it back", &dialog);
    auto* names = new QCheckBox("Show channel &names", &dialog);
    review->setChecked(current.reviewBeforeWrite);
    verify->setChecked(current.verifyAfterWrite);
    names->setChecked(current.showChannelNames);
    layout->addWidget(review);
    layout->addWidget(verify);
    layout->addWidget(names);
    auto* form = new QFormLayout;
    auto* days = new QSpinBox(&dialog);
    days->setRange(0, 36500);
    days->setValue(current.keepBackupDays);
    days->setSuffix(" days");
    days->setSpecialValueText("for ever");
    form->addRow("&Keep backups:", days);
    auto* folderRow = new QHBoxLayout;
    auto* folder = new QLineEdit(QString::fromStdString(backups.string()), &dialog);
    folder->setReadOnly(true);
    folder->setAccessibleName("Backups folder");
    auto* open = new QPushButton("&Open folder", &dialog);
    QObject::connect(open, &QPushButton::clicked, &dialog, [&backups] {
        QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(backups.string())));
    });
    folderRow->addWidget(folder);
    folderRow->addWidget(open);
    form->addRow("Backups folder:", folderRow);
    auto* appearance = new QComboBox(&dialog);
    appearance->addItem("Follow the desktop", static_cast<int>(Appearance::FollowDesktop));
    appearance->addItem("Light", static_cast<int>(Appearance::Light));
    appearance->addItem("Dark", static_cast<int>(Appearance::Dark));
    appearance->setCurrentIndex(appearance->findData(static_cast<int>(current.appearance)));
    auto* appearanceLabel = new QLabel("&Appearance:", &dialog);
    appearanceLabel->setBuddy(appearance);
    form->addRow(appearanceLabel, appearance);
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return Preferences{review->isChecked(), verify->isChecked(), names->isChecked(), days->value(),
                       static_cast<Appearance>(appearance->currentData().toInt())};
}

}  // namespace lumo
