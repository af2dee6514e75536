#include "gui/keyboard_menus.h"

#include <QMenuBar>

namespace lumo {

KeyboardEntries addKeyboardEntries(QMainWindow& window, QMdiArea& area, QMenu* viewMenu,
                                   QMenu* menuAfterRadio, std::function<void(MainCommand)> run) {
    KeyboardEntries entries;
    entries.radio = new QMenu("&Radio", &window);
    entries.radio->setObjectName("RadioMenu");
    window.menuBar()->insertMenu(menuAfterRadio->menuAction(), entries.radio);
    // Ctrl+Shift with the letter: plain Ctrl+W closes windows in many programs, and a
    // write to the radio must never be a slip of the finger.
    entries.read = entries.radio->addAction("&Read from Radio", &window,
                                            [run] { run(MainCommand::Read); });
    entries.read->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R));
    entries.write = entries.radio->addAction("&Write to Radio", &window,
                                             [run] { run(MainCommand::Write); });
    entries.write->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_W));

    viewMenu->addSeparator();
    entries.nextWindow = viewMenu->addAction("Ne&xt Window", &area, &QMdiArea::activateNextSubWindow);
    entries.nextWindow->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab));
    entries.previousWindow =
        viewMenu->addAction("&Previous Window", &area, &QMdiArea::activatePreviousSubWindow);
    entries.previousWindow->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab));
    return entries;
}

}  // namespace lumo
