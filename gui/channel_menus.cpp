// The main window's entries for the channel window: editing commands in the Edit menu,
// the View menu and New from Template in the File menu.
#include "gui/channel_menus.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenuBar>

#include "channels/channel_templates.h"
#include "gui/appearance.h"
#include "gui/backups_dialog.h"
#include "gui/settings_window.h"
#include "gui/preferences_dialog.h"
#include "shell/preferences.h"
#include "shell/template_files.h"

namespace lumo {
namespace {

struct EditEntry {
    const char* caption;
    EditCommand command;
    QKeySequence keys;
};

// The separators stand where a null caption is.
const std::vector<EditEntry>& editEntries() {
    static const std::vector<EditEntry> entries{
        {"&Undo", EditCommand::Undo, QKeySequence(Qt::CTRL | Qt::Key_Z)},
        {"&Redo", EditCommand::Redo, QKeySequence(Qt::CTRL | Qt::Key_Y)},
        {nullptr, EditCommand::Undo, {}},
        {"Cu&t", EditCommand::Cut, QKeySequence(Qt::CTRL | Qt::Key_X)},
        {"Cop&y", EditCommand::Copy, QKeySequence(Qt::CTRL | Qt::Key_C)},
        {"&Paste", EditCommand::Paste, QKeySequence(Qt::CTRL | Qt::Key_V)},
        {"&Delete", EditCommand::Delete, QKeySequence(Qt::Key_Delete)},
        {"Select &All", EditCommand::SelectAll, QKeySequence(Qt::CTRL | Qt::Key_A)},
        {nullptr, EditCommand::Undo, {}},
        {"&Find...", EditCommand::Find, QKeySequence(Qt::CTRL | Qt::Key_F)},
        {"Find &Next", EditCommand::FindNext, QKeySequence(Qt::Key_F3)},
        {nullptr, EditCommand::Undo, {}},
        {"&Insert Channel", EditCommand::InsertChannel, QKeySequence(Qt::Key_Insert)},
        {"Delete Channe&ls", EditCommand::DeleteChannels, QKeySequence(Qt::CTRL | Qt::Key_Delete)},
        {"Mo&ve Up", EditCommand::MoveUp, QKeySequence(Qt::ALT | Qt::Key_Up)},
        {"Move Do&wn", EditCommand::MoveDown, QKeySequence(Qt::ALT | Qt::Key_Down)},
        {"&Sort...", EditCommand::Sort, {}},
        {"Set Colu&mn...", EditCommand::SetColumn, {}},
    };
    return entries;
}

// The commands whose keys act on channels: only while the grid itself has the focus.
// In a cell's editor or the option box the same keys do what they do in any text field
// or combo box (Ctrl+Delete deletes a word, Alt+Down opens the list), and on a button
// they do nothing; the menu entries themselves always work. Undo, Redo and Find keep
// their keys everywhere: an editor answers Undo itself first.
bool actsOnChannels(EditCommand command) {
    switch (command) {
        case EditCommand::Undo:
        case EditCommand::Redo:
        case EditCommand::Find:
        case EditCommand::FindNext:
        case EditCommand::Sort:
        case EditCommand::SetColumn: return false;
        case EditCommand::Cut:
        case EditCommand::Copy:
        case EditCommand::Paste:
        case EditCommand::Delete:
        case EditCommand::SelectAll:
        case EditCommand::InsertChannel:
        case EditCommand::DeleteChannels:
        case EditCommand::MoveUp:
        case EditCommand::MoveDown: return true;
    }
    return false;
}

}  // namespace

ChannelMenus::ChannelMenus(QMainWindow& window, AppState& state, QMenu* fileMenu,
                           QAction* beforeEntry, QMenu* editMenu, QMenu* menuAfterView,
                           std::function<ChannelWindow*()> activeChannelWindow)
    : QObject(&window), state_(state), activeChannelWindow_(std::move(activeChannelWindow)) {
    editMenu->addSeparator();
    for (const EditEntry& entry : editEntries()) {
        if (entry.caption == nullptr) {
            editMenu->addSeparator();
            continue;
        }
        QAction* action = editMenu->addAction(entry.caption);
        action->setShortcut(entry.keys);
        // Redo also answers the platform's own keys (Ctrl+Shift+Z on most desktops).
        if (entry.command == EditCommand::Redo) {
            QList<QKeySequence> keys{entry.keys};
            for (const QKeySequence& platform : QKeySequence::keyBindings(QKeySequence::Redo)) {
                if (!keys.contains(platform)) {
                    keys << platform;
                }
            }
            action->setShortcuts(keys);
        }
        const EditCommand command = entry.command;
        connect(action, &QAction::triggered, this, [this, command] {
            if (ChannelWindow* channels = activeChannelWindow_()) {
                channels->runEdit(command);
            }
        });
        edits_[command] = action;
    }
    connect(editMenu, &QMenu::aboutToShow, this, &ChannelMenus::update);
    editMenu->addSeparator();
    preferences_ = editMenu->addAction("Pr&eferences...", this, [this, &window] {
        const auto chosen = askPreferences(&window, loadPreferences(*state_.store), backupFolder());
        if (chosen) {
            savePreferences(*state_.store, *chosen);
            names_->setChecked(chosen->showChannelNames);
            applyAppearance(chosen->appearance);
        }
    });

    view_ = new QMenu("&View", &window);
    window.menuBar()->insertMenu(menuAfterView->menuAction(), view_);
    names_ = view_->addAction("Show channel &names");
    names_->setCheckable(true);
    names_->setChecked(state_.store && state_.store->value("View/channelNames").value_or("") == "true");
    connect(names_, &QAction::toggled, this, [this](bool shown) {
        if (state_.store) {
            state_.store->setValue("View/channelNames", shown ? "true" : "false");
        }
        if (ChannelWindow* channels = activeChannelWindow_()) {
            channels->setNamesShown(shown);
        }
    });

    templates_ = new QMenu("New from &Template", fileMenu);
    fileMenu->insertMenu(beforeEntry, templates_);
    backups_ = new QAction("&Backups...", this);
    fileMenu->insertAction(beforeEntry, backups_);
    connect(backups_, &QAction::triggered, this, [this, &window] {
        BackupsDialog dialog(backupFolder(), [this](const BackupEntry& entry) { openBackup(entry); },
                             &window);
        dialog.exec();
    });
    connect(templates_, &QMenu::aboutToShow, this, &ChannelMenus::fillTemplateMenu);
    fillTemplateMenu();
    update();
    qApp->installEventFilter(this);
}

bool ChannelMenus::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride) {
        return QObject::eventFilter(watched, event);
    }
    const QKeySequence keys(static_cast<QKeyEvent*>(event)->keyCombination());
    for (const auto& [command, action] : edits_) {
        if (!actsOnChannels(command) || !action->shortcuts().contains(keys)) {
            continue;
        }
        ChannelWindow* channels = activeChannelWindow_();
        if (channels == nullptr || QApplication::focusWidget() != channels->grid()) {
            // Taken as an ordinary key press by whatever has the focus.
            event->accept();
            return true;
        }
        break;
    }
    return QObject::eventFilter(watched, event);
}

void ChannelMenus::update() {
    const bool channels = activeChannelWindow_() != nullptr;
    for (const auto& [command, action] : edits_) {
        action->setEnabled(channels);
    }
    templates_->setEnabled(channels);
}

void ChannelMenus::adopt(ChannelWindow* window) {
    window->setNamesShown(names_->isChecked());
    connect(window, &ChannelWindow::namesShownChanged, names_, [this](bool shown) {
        const QSignalBlocker quiet(names_);
        names_->setChecked(shown);
    });
}

void ChannelMenus::openBackup(const BackupEntry& entry) {
    const ChildKind kind = entry.kind == BackupKind::Channels ? ChildKind::Channel : ChildKind::Settings;
    ChildWindow* window = showChild ? showChild(kind) : nullptr;
    if (auto* channels = qobject_cast<ChannelWindow*>(window)) {
        channels->openBackup(entry.file);
    } else if (auto* settings = qobject_cast<SettingsWindow*>(window)) {
        settings->openBackup(entry.file);
    }
}

// Built each time it opens, so files the user has just put there show.
void ChannelMenus::fillTemplateMenu() {
    templates_->clear();
    templates_->addAction(kPmr446TemplateName, this, [this] {
        if (ChannelWindow* channels = activeChannelWindow_()) {
            channels->newFromTable(pmr446Table(state_.strings));
        }
    });
    const auto folder = templateFolder();
    const auto files = listTemplateFiles(folder);
    templates_->addSeparator();
    for (const auto& file : files) {
        templates_->addAction(QString::fromStdString(file.filename().string()), this, [this, file] {
            if (ChannelWindow* channels = activeChannelWindow_()) {
                channels->newFromTemplateFile(file);
            }
        });
    }
    QAction* where = templates_->addAction(
        QString::fromStdString("Your own: .csv or .chnw files in " + folder.string()));
    where->setEnabled(false);
}

}  // namespace lumo
