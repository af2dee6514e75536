#include "gui/keyboard_menus.h"

#include <QMdiSubWindow>
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
    // As in every program with windows inside its window; the window asks first when it
    // holds changes, and stays while a transfer runs.
    entries.closeWindow = viewMenu->addAction("&Close Window", &area, [&area] {
        if (QMdiSubWindow* active = area.activeSubWindow()) {
            active->close();
        }
    });
    entries.closeWindow->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F4));

    // The File menu keeps its own entries and keys; Ctrl+S is what hands expect.
    entries.save = new QAction("Save", &window);
    entries.save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    QObject::connect(entries.save, &QAction::triggered, &window, [run] { run(MainCommand::SaveAs); });
    window.addAction(entries.save);
    return entries;
}

}  // namespace lumo
