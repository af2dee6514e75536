// Editing many channels in the window: picking by number, dragging numbers, the Edit
// menu's commands with their shortcuts, the name column and a template.
#include <QClipboard>
#include <QMenuBar>
#include <QtTest>

#include "gui/channel_menus.h"
#include "tests/gui/channel_window_helpers.h"

using namespace lumo;
using namespace lumo::test;

namespace {

void clickNumber(ChannelWindow* window, int row, Qt::KeyboardModifiers modifiers = {}) {
    QTest::mouseClick(window->grid()->viewport(), Qt::LeftButton, modifiers,
                      cellCentre(window, 0, row));
}

// A press on channel `from`'s number, the pointer moved with the button held to the
// lower half of row `to`, a release there.
void dragNumber(ChannelWindow* window, int from, int to) {
    QWidget* viewport = window->grid()->viewport();
    const QPoint start = cellCentre(window, 0, from);
    const QPoint end = cellCentre(window, 0, to) + QPoint(0, 5);
    QTest::mousePress(viewport, Qt::LeftButton, {}, start);
    for (const QPoint at : {start + QPoint(0, 8), end}) {
        QMouseEvent move(QEvent::MouseMove, QPointF(at), viewport->mapToGlobal(QPointF(at)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &move);
    }
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, end);
    QCoreApplication::processEvents();
}

QStringList rxColumn(ChannelWindow* window, int rows) {
    QStringList cells;
    for (int row = 1; row <= rows; ++row) {
        cells << cellText(window, 1, row);
    }
    return cells;
}

QAction* entry(Fixture& f, EditCommand command) {
    return f.window->channelMenus()->editEntry(command);
}

// Ten channels as a spreadsheet copies them: its own columns, tab-separated.
QString spreadsheetRows() {
    QString text = "Frequency\tName\tPower\n";
    for (const char* mhz : {"446.5", "446.1", "446.9", "446.3", "446.7", "446.2", "446.8",
                            "446.4", "446.6", "446.15"}) {
        text += QString("%1\tch\tHigh\n").arg(mhz);
    }
    return text;
}

}  // namespace

class ChannelEditingTest : public QObject {
    Q_OBJECT

private slots:
    void numbersPickChannelsAndLeaveTheCurrentCell() {
        Fixture f;
        OpenChannelWindow c(f);
        clickNumber(c.window, 3);
        clickNumber(c.window, 6, Qt::ShiftModifier);
        clickNumber(c.window, 9, Qt::ControlModifier);
        QCOMPARE(c.window->edits().selection().channels(), (std::vector<int>{3, 4, 5, 6, 9}));
        verifyCursor(c.window, 1, 1);
        const QAbstractItemModel* model = c.window->grid()->model();
        QCOMPARE(model->index(3, 0).data(Qt::BackgroundRole).value<QColor>(), QColor(0x33, 0x66, 0xCC));
        QCOMPARE(model->index(3, 1).data(Qt::BackgroundRole).value<QColor>(), QColor(0xF7, 0xFF, 0xF6));
        QCOMPARE(model->index(6, 0).data(Qt::BackgroundRole).value<QColor>(), QColor(0xF7, 0xFF, 0xF6));

        QTest::keyClick(c.window->grid(), Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(c.window->edits().selection().channels().size(), 99u);
        // A plain click on an ordinary cell lets the picked channels go.
        QTest::mouseClick(c.window->grid()->viewport(), Qt::LeftButton, {}, cellCentre(c.window, 1, 2));
        QVERIFY(c.window->edits().selection().empty());
        verifyCursor(c.window, 1, 2);
    }

    void draggingNumbersMovesChannelsAndUndoPutsThemBack() {
        Fixture f;
        OpenChannelWindow c(f);
        c.enterFrequency(1, "446.1");
        c.enterFrequency(2, "446.2");
        c.enterFrequency(3, "446.3");
        clickNumber(c.window, 1);
        dragNumber(c.window, 1, 3);
        QCOMPARE(rxColumn(c.window, 4), (QStringList{"446.20000", "446.30000", "446.10000", ""}));
        QCOMPARE(c.window->edits().selection().channels(), (std::vector<int>{3}));
        QTest::keyClick(c.window->grid(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(rxColumn(c.window, 4), (QStringList{"446.10000", "446.20000", "446.30000", ""}));

        // Alt+Up moves the current channel when none is picked.
        c.window->edits().selection().clear();
        c.window->grid()->moveTo(1, 3);
        QTest::keyClick(c.window->grid(), Qt::Key_Up, Qt::AltModifier);
        QCOMPARE(rxColumn(c.window, 3), (QStringList{"446.10000", "446.30000", "446.20000"}));
        verifyCursor(c.window, 1, 2);
    }

    void theEditMenuPastesSetsAndSortsEachAsOneStep() {
        Fixture f;
        QVERIFY(!entry(f, EditCommand::SetColumn)->isEnabled());
        OpenChannelWindow c(f);
        // The menu's own entries stay first; the new ones follow with their keys.
        auto* editMenu = qobject_cast<QMenu*>(f.window->channelEntry()->associatedObjects().value(0));
        QVERIFY(editMenu != nullptr);
        const QList<QAction*> edit = editMenu->actions();
        QCOMPARE(edit.at(1), f.window->channelEntry());
        QCOMPARE(edit.at(2), f.window->paramEntry());
        QCOMPARE(entry(f, EditCommand::Undo)->shortcut(), QKeySequence("Ctrl+Z"));
        QCOMPARE(entry(f, EditCommand::Copy)->shortcut(), QKeySequence("Ctrl+C"));
        QCOMPARE(entry(f, EditCommand::Find)->shortcut(), QKeySequence("Ctrl+F"));
        QVERIFY(entry(f, EditCommand::SetColumn)->isEnabled());

        QGuiApplication::clipboard()->setText(spreadsheetRows());
        QTest::keyClick(c.window->grid(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(cellText(c.window, 1, 10), QString("446.15000"));
        QCOMPARE(cellText(c.window, 5, 10), QString("High"));
        QCOMPARE(cellText(c.window, 1, 11), QString());

        // TX Power Low on the ten channels at once.
        clickNumber(c.window, 1);
        clickNumber(c.window, 10, Qt::ShiftModifier);
        std::string asked;
        c.window->chooseColumnValue = [&](const std::string& targets) {
            asked = targets;
            return std::optional<ColumnChoice>(ColumnChoice{5, "Low"});
        };
        entry(f, EditCommand::SetColumn)->trigger();
        QCOMPARE(asked, std::string("1-10"));
        for (int row = 1; row <= 10; ++row) {
            QCOMPARE(cellText(c.window, 5, row), QString("Low"));
        }

        c.window->chooseSort = [](int picked) {
            return picked == 10 ? std::optional<SortChoice>(SortChoice{SortKey::RxFrequency, true})
                                : std::nullopt;
        };
        entry(f, EditCommand::Sort)->trigger();
        QCOMPARE(rxColumn(c.window, 3), (QStringList{"446.10000", "446.15000", "446.20000"}));

        entry(f, EditCommand::Undo)->trigger();
        QCOMPARE(cellText(c.window, 1, 1), QString("446.50000"));
        entry(f, EditCommand::Undo)->trigger();
        QCOMPARE(cellText(c.window, 5, 1), QString("High"));
        entry(f, EditCommand::Undo)->trigger();
        QCOMPARE(cellText(c.window, 1, 1), QString());

        // A refused edit says why and changes nothing.
        c.window->edits().selection().clear();
        c.window->grid()->moveTo(1, 95);
        QTest::keyClick(c.window->grid(), Qt::Key_V, Qt::ControlModifier);
        QVERIFY(f.dialogs.messages().back().find("do not fit from channel 95") != std::string::npos);
        QCOMPARE(cellText(c.window, 1, 95), QString());
    }

    void findMovesTheCursorToTheNextMatch() {
        Fixture f;
        OpenChannelWindow c(f);
        c.enterFrequency(4, "446.1");
        c.enterFrequency(7, "446.125");
        c.window->grid()->moveTo(1, 1);
        c.window->chooseFindText = [](const QString&) { return std::optional<QString>("446.1"); };
        QTest::keyClick(c.window->grid(), Qt::Key_F, Qt::ControlModifier);
        verifyCursor(c.window, 1, 4);
        QTest::keyClick(c.window->grid(), Qt::Key_F3);
        verifyCursor(c.window, 1, 7);
    }

    void namesShowFromTheViewMenuAndAreRemembered() {
        Fixture f;
        {
            OpenChannelWindow c(f);
            QVERIFY(c.window->grid()->isColumnHidden(12));
            const int narrow = c.window->width();
            f.window->channelMenus()->namesEntry()->trigger();
            QVERIFY(!c.window->grid()->isColumnHidden(12));
            QVERIFY(c.window->width() > narrow);
            QVERIFY(c.window->rowMenu()->actions()[4]->isChecked());
            QCOMPARE(f.store->value("View/channelNames"), std::optional<std::string>("true"));
            c.window->close();
            QTRY_VERIFY(!f.window->child(ChildKind::Channel));
        }
        OpenChannelWindow again(f);
        QVERIFY(!again.window->grid()->isColumnHidden(12));
        // The row menu's entry turns it off again, and the View menu follows.
        again.window->rowMenu()->actions()[4]->trigger();
        QVERIFY(again.window->grid()->isColumnHidden(12));
        QVERIFY(!f.window->channelMenus()->namesEntry()->isChecked());
    }

    void aTemplateStartsTheTableAsOneStep() {
        Fixture f;
        OpenChannelWindow c(f);
        QMenu* templates = f.window->channelMenus()->templateMenu();
        emit templates->aboutToShow();
        QCOMPARE(templates->actions()[0]->text(), QString("PMR446"));
        templates->actions()[0]->trigger();
        QCOMPARE(cellText(c.window, 1, 16), QString("446.19375"));
        QCOMPARE(cellText(c.window, 5, 16), QString("Low"));
        QVERIFY(c.window->editor().modified());
        entry(f, EditCommand::Undo)->trigger();
        QCOMPARE(cellText(c.window, 1, 1), QString());
    }
};

int main(int argc, char** argv) {
    return lumo::test::runWindowTests<ChannelEditingTest>(argc, argv);
}
#include "channel_editing_test.moc"
