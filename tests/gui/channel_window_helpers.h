#pragma once
// What the channel window tests share: reading cells, typing where the focus is,
// dragging, and a channel window opened through the main window.
#include <QApplication>
#include <QMouseEvent>
#include <QtTest>

#include "gui/channel_window.h"
#include "tests/gui/gui_fixture.h"

namespace lumo::test {

inline QString cellText(ChannelWindow* window, int column, int row) {
    return window->grid()->model()->index(row - 1, column).data().toString();
}

// Keys go where the user's would: to whichever widget has the focus.
inline void typeKeys(const QString& keys) {
    for (const QChar key : keys) {
        QTest::keyClick(QApplication::focusWidget(), key.toLatin1());
    }
}

inline void pressEnter() {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
}

inline QPoint cellCentre(ChannelWindow* window, int column, int row) {
    return window->grid()->visualRect(window->grid()->model()->index(row - 1, column)).center();
}

// A press on one cell, the pointer moved with the button held to another, a release.
inline void dragCells(ChannelWindow* window, QPoint fromCell, QPoint toCell) {
    QWidget* viewport = window->grid()->viewport();
    const QPoint from = cellCentre(window, fromCell.x(), fromCell.y());
    const QPoint to = cellCentre(window, toCell.x(), toCell.y());
    QTest::mousePress(viewport, Qt::LeftButton, {}, from);
    QMouseEvent move(QEvent::MouseMove, QPointF(to), viewport->mapToGlobal(QPointF(to)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &move);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, to);
    QCoreApplication::processEvents();
}

// The view's cursor and the editor's current cell, which must always agree.
inline void verifyCursor(ChannelWindow* window, int column, int row) {
    const QModelIndex current = window->grid()->currentIndex();
    QCOMPARE(current.column(), column);
    QCOMPARE(current.row() + 1, row);
    QCOMPARE(window->editor().CurrentCol, column);
    QCOMPARE(window->editor().CurrentRow, row);
}

struct OpenChannelWindow {
    explicit OpenChannelWindow(Fixture& f) : fixture(f) {
        f.window->activateWindow();
        window = static_cast<ChannelWindow*>(f.open(MainCommand::Channel));
        QApplication::setActiveWindow(f.window.get());
        window->grid()->setFocus();
        QCoreApplication::processEvents();
    }
    // Types a channel's RX frequency into its first cell and leaves it with Enter.
    void enterFrequency(int row, const QString& mhz) {
        window->grid()->moveTo(1, row);
        window->grid()->setFocus();
        typeKeys(mhz);
        pressEnter();
        QCoreApplication::processEvents();
    }
    Fixture& fixture;
    ChannelWindow* window = nullptr;
};


}  // namespace lumo::test
