// The main window's ways in for the keyboard alone: the Radio menu and moving between
// the child windows.
#pragma once

#include <QAction>
#include <QMainWindow>
#include <QMdiArea>
#include <QMenu>
#include <functional>

#include "shell/command_routing.h"

namespace lumo {

struct KeyboardEntries {
    QMenu* radio = nullptr;
    QAction* read = nullptr;
    QAction* write = nullptr;
    QAction* nextWindow = nullptr;
    QAction* previousWindow = nullptr;
    QAction* closeWindow = nullptr;
    // Ctrl+S: the active window's Save button, as in every editor.
    QAction* save = nullptr;
};

// Puts the Radio menu (Read, Write) in front of `menuAfterRadio`, the window entries
// (next, previous, close) at the end of `viewMenu`, and Ctrl+S on the window. `run`
// runs a command as the tool bar does.
KeyboardEntries addKeyboardEntries(QMainWindow& window, QMdiArea& area, QMenu* viewMenu,
                                   QMenu* menuAfterRadio, std::function<void(MainCommand)> run);

}  // namespace lumo
