// The main window's entries for the channel window: editing commands in the Edit menu,
// the View menu and New from Template in the File menu.
#pragma once

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <functional>
#include <map>

#include "gui/channel_window.h"
#include "shell/app_state.h"
#include "shell/backups.h"

namespace lumo {

// Adds the channel window's editing entries after the menus' own entries and routes
// them to the active channel window. They are available only while a channel window
// is the active child.
class ChannelMenus final : public QObject {
    Q_OBJECT
public:
    // `editMenu` gets the editing entries at its end; the View menu goes in front of
    // `menuAfterView`; New from Template goes into `fileMenu` in front of `beforeEntry`.
    ChannelMenus(QMainWindow& window, AppState& state, QMenu* fileMenu, QAction* beforeEntry,
                 QMenu* editMenu, QMenu* menuAfterView,
                 std::function<ChannelWindow*()> activeChannelWindow);

    // File > Backups... opens a backup in the window of its kind, which this gives,
    // opened or brought forward.
    std::function<ChildWindow*(ChildKind kind)> showChild;

    QAction* editEntry(EditCommand command) const { return edits_.at(command); }
    QAction* namesEntry() const { return names_; }
    QMenu* viewMenu() const { return view_; }
    QMenu* templateMenu() const { return templates_; }
    QAction* backupsEntry() const { return backups_; }
    QAction* preferencesEntry() const { return preferences_; }
    // Loads a backup into the window of its kind, as a change to undo or write.
    void openBackup(const BackupEntry& entry);

    // Enables the entries when a channel window is the active child.
    void update();
    // A new channel window: it shows names as the View menu says, and its own row
    // menu's choice shows here.
    void adopt(ChannelWindow* window);

protected:
    // Keeps the keys of the commands that act on channels for the editors while the
    // grid itself does not have the focus.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fillTemplateMenu();

    AppState& state_;
    std::function<ChannelWindow*()> activeChannelWindow_;
    std::map<EditCommand, QAction*> edits_;
    QMenu* view_ = nullptr;
    QAction* names_ = nullptr;
    QMenu* templates_ = nullptr;
    QAction* backups_ = nullptr;
    QAction* preferences_ = nullptr;
};

}  // namespace lumo
