// The channel window under the offscreen platform: typing, the option box, the file
// dialogs, closing, the frame, undo, and a read from the simulated radio.
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMimeData>
#include <QMdiArea>
#include <QStatusBar>
#include <QTableView>
#include <QToolBar>
#include <chrono>
#include <deque>
#include <QtTest>

#include "channels/channel_file.h"
#include "channels/channel_image.h"
#include "gui/backups_dialog.h"
#include "gui/channel_window.h"
#include "gui/channel_menus.h"
#include "gui/settings_window.h"
#include "gui/widget_names.h"
#include "settings/optw_file.h"
#include "settings/settings_form.h"
#include "shell/backups.h"
#include "sim/simulated_radio.h"
#include "tests/gui/channel_window_helpers.h"
#include "tests/gui/gui_fixture.h"
#include "tests/support/sim_radio_setup.h"

using namespace lumo;
using lumo::test::Fixture;
using namespace lumo::test;

class ChannelWindowTest : public QObject {
    Q_OBJECT

private slots:
    void showsTheGridAndOffersAFileEachTimeItIsCreated() {
        Fixture f;
        ChannelTable saved;
        saved.setCell(1, 3, "446.01000");
        saved.setCell(12, 3, "ROVER");
        const auto file = std::filesystem::path(f.dir.filePath("three.chnw").toStdString());
        SaveChannelFile(saved, file);

        OpenChannelWindow cancelled(f);
        QCOMPARE(f.documents->opened.size(), 1u);
        QCOMPARE(f.documents->opened[0].defaultExtension, std::string("chnw"));
        QCOMPARE(f.documents->opened[0].filter,
                 std::string("chnw file(*.chnw)|*.chnw|CHIRP CSV (*.csv)|*.csv"));
        QCOMPARE(cancelled.window->grid()->model()->rowCount(), 99);
        QCOMPARE(cellText(cancelled.window, 1, 3), QString());
        QCOMPARE(cellText(cancelled.window, 0, 99), QString("99"));
        for (const int hidden : {8, 9, 12}) {
            QVERIFY(cancelled.window->grid()->isColumnHidden(hidden));
        }
        QVERIFY(!cancelled.window->grid()->isColumnHidden(10));
        QCOMPARE(cancelled.window->titleLabel()->text(), QString("Tarn[440-451Mhz] Channel config"));
        QCOMPARE(cancelled.window->grid()->currentIndex(), cancelled.window->grid()->model()->index(0, 1));
        cancelled.window->button(ChildButton::None);
        QTest::mouseClick(cancelled.window->findChild<QPushButton*>(kCloseButtonName),
                          Qt::LeftButton);
        QTRY_VERIFY(!f.window->child(ChildKind::Channel));

        f.documents->openAnswers.push_back(file);
        OpenChannelWindow loaded(f);
        QCOMPARE(f.documents->opened.size(), 2u);
        QCOMPARE(cellText(loaded.window, 1, 3), QString("446.01000"));
        QCOMPARE(cellText(loaded.window, 12, 3), QString("ROVER"));
        QVERIFY(!loaded.window->editor().modified());
        // The frame: no system title bar and a rounded outline.
        QWidget* frame = loaded.window->frame();
        QVERIFY(frame->windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(!frame->mask().isEmpty());
        QVERIFY(!frame->mask().contains(QPoint(0, 0)));
        QVERIFY(frame->mask().contains(QPoint(frame->width() / 2, 1)));
    }

    void typingAFrequencyAndEnterFillsTheRow() {
        Fixture f;
        OpenChannelWindow c(f);
        c.enterFrequency(1, "446.004");
        const QStringList row{"446.00625", "446.00625", "Off", "Off", "High", "25K",
                              "Off",       "Off",       "QT",  "Off", "On"};
        for (int column = 1; column <= 11; ++column) {
            QCOMPARE(cellText(c.window, column, 1), row[column - 1]);
        }
        QCOMPARE(c.window->grid()->currentIndex().column(), 2);
        // Enter again goes to the hidden name column, where a name is typed blind.
        pressEnter();
        QCOMPARE(c.window->grid()->currentIndex().column(), 12);
        typeKeys("ab1-x");
        QCOMPARE(cellText(c.window, 12, 1), QString("AB1X"));
        // A key past six letters is dropped; the name stays.
        typeKeys("yz7");
        QCOMPARE(cellText(c.window, 12, 1), QString("AB1XYZ"));
        pressEnter();
        QCOMPARE(c.window->grid()->currentIndex(), c.window->grid()->model()->index(1, 1));

        // Out of the band: replaced by the lower limit, with the message.
        c.enterFrequency(2, "430.5");
        QCOMPARE(cellText(c.window, 1, 2), QString("440.00000"));
        QCOMPARE(f.dialogs.messages().back(), std::string("Overflow,auto change to connect value!"));
        // A text that is no number keeps its text and the cursor.
        c.enterFrequency(3, ".");
        QCOMPARE(cellText(c.window, 1, 3), QString("."));
        QCOMPARE(c.window->grid()->currentIndex(), c.window->grid()->model()->index(2, 1));

        // Ctrl+Z undoes the typing in channel 3, then the whole entry of channel 2 with
        // what leaving its cell did; Ctrl+Y brings that back.
        QTest::keyClick(c.window->grid(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(cellText(c.window, 1, 3), QString());
        QCOMPARE(cellText(c.window, 1, 2), QString("440.00000"));
        QTest::keyClick(c.window->grid(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(cellText(c.window, 1, 2), QString());
        QCOMPARE(cellText(c.window, 5, 2), QString());
        QTest::keyClick(c.window->grid(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(cellText(c.window, 1, 2), QString("440.00000"));
        QCOMPARE(cellText(c.window, 5, 2), QString("High"));
    }

    void theOptionBoxHandsItsPickToTheCellWhereverTheFocusGoes() {
        Fixture f;
        OpenChannelWindow c(f);
        c.enterFrequency(1, "446.1");
        QComboBox* box = c.window->comboBox();
        QVERIFY(!box->isVisible());
        QVERIFY(c.window->grid()->moveTo(5, 1));
        QTRY_VERIFY(box->isVisible());
        QCOMPARE(box->currentText(), QString("High"));
        QCOMPARE(box->count(), 2);

        box->setEditText("low");
        QCOMPARE(cellText(c.window, 5, 1), QString("High"));
        c.window->findChild<QPushButton*>(kResetButtonName)->setFocus();  // elsewhere: taken too
        QVERIFY(!box->isVisible());
        QCOMPARE(cellText(c.window, 5, 1), QString("Low"));

        c.window->grid()->setFocus();
        QVERIFY(c.window->grid()->moveTo(6, 1));
        QTRY_VERIFY(box->isVisible());
        box->setEditText("12.5k");
        c.window->grid()->setFocus();
        QCOMPARE(cellText(c.window, 6, 1), QString("12.5K"));
        QVERIFY(!box->isVisible());

        QVERIFY(c.window->grid()->moveTo(7, 1));
        QTRY_VERIFY(box->isVisible());
        box->setEditText("maybe");
        c.window->grid()->setFocus();
        QCOMPARE(cellText(c.window, 7, 1), QString("Off"));
        QCOMPARE(f.dialogs.messages().back(), std::string("Overflow,auto change to connect value!"));

        // Column 10 never becomes current; option cells of an empty row neither.
        QVERIFY(!c.window->grid()->moveTo(10, 1));
        QVERIFY(!c.window->grid()->moveTo(5, 2));
        QCOMPARE(c.window->grid()->currentIndex().column(), 7);
    }

    void aDragMovesTheCursorOnlyThroughTheRule() {
        Fixture f;
        OpenChannelWindow c(f);
        c.enterFrequency(1, "446.1");
        c.window->grid()->moveTo(1, 2);
        dragCells(c.window, {1, 2}, {1, 3});
        verifyCursor(c.window, 1, 3);
        typeKeys("446.3");
        pressEnter();
        QCOMPARE(cellText(c.window, 1, 3), QString("446.30000"));
        QCOMPARE(cellText(c.window, 2, 3), QString("446.30000"));
        QCOMPARE(cellText(c.window, 5, 3), QString("High"));
        QCOMPARE(cellText(c.window, 1, 2), QString());

        // Column 10 never becomes current, neither by a drag nor by a press.
        QVERIFY(c.window->grid()->moveTo(11, 1));
        dragCells(c.window, {11, 1}, {10, 1});
        verifyCursor(c.window, 11, 1);
        QTest::mouseClick(c.window->grid()->viewport(), Qt::LeftButton, {},
                          cellCentre(c.window, 10, 1));
        verifyCursor(c.window, 11, 1);
        // A refused option cell of an empty row leaves the cursor where it was.
        dragCells(c.window, {11, 1}, {5, 4});
        verifyCursor(c.window, 11, 1);
    }

    void thePickInTheOptionBoxIsKeptBySaveCloseAndTheKeyboard() {
        Fixture f;
        OpenChannelWindow c(f);
        c.enterFrequency(1, "446.1");
        QComboBox* box = c.window->comboBox();
        const auto file = std::filesystem::path(f.dir.filePath("picked.chnw").toStdString());

        // Save through the tool bar: the box's text reaches the file, the cursor stays.
        QVERIFY(c.window->grid()->moveTo(5, 1));
        QTRY_VERIFY(box->isVisible());
        box->setEditText("Low");
        f.documents->saveAnswers = {file};
        f.window->runCommand(MainCommand::SaveAs);
        QCoreApplication::processEvents();
        QVERIFY(!box->isVisible());
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(c.window->grid()));
        verifyCursor(c.window, 5, 1);
        ChannelTable saved;
        test::ScriptedDialogs quiet;
        QVERIFY(LoadChannelFile(saved, file, quiet));
        QCOMPARE(saved.cell(5, 1), std::string("Low"));
        QVERIFY(!c.window->editor().modified());

        // A pick left in the box counts as a change when the program closes.
        QVERIFY(c.window->grid()->moveTo(6, 1));
        QTRY_VERIFY(box->isVisible());
        box->setEditText("12.5K");
        f.documents->saveChangesAnswers = {SaveChangesAnswer::Cancel};
        QVERIFY(!f.window->close());
        QCOMPARE(f.documents->questions.size(), 1u);
        QCOMPARE(cellText(c.window, 6, 1), QString("12.5K"));

        // From the keyboard: Tab keeps the choice, Escape drops it; the cursor stays.
        const struct {
            Qt::Key key;
            const char* typed;
            const char* kept;
        } keys[] = {{Qt::Key_Tab, "On", "On"}, {Qt::Key_Escape, "Off", "On"},
                    {Qt::Key_Return, "Off", "Off"}, {Qt::Key_Backtab, "On", "On"}};
        for (const auto& k : keys) {
            c.window->grid()->setFocus();
            QVERIFY(c.window->grid()->moveTo(1, 1));
            QVERIFY(c.window->grid()->moveTo(7, 1));
            QTRY_VERIFY(box->isVisible());
            box->setEditText(k.typed);
            QTest::keyClick(QApplication::focusWidget(), k.key);
            QCoreApplication::processEvents();
            QVERIFY(!box->isVisible());
            QCOMPARE(cellText(c.window, 7, 1), QString(k.kept));
            verifyCursor(c.window, 7, 1);
        }
    }

    // The press of the mouse takes the focus before the click runs its command: the
    // pick shown in the box must reach the cell first, whatever is pressed.
    void aPickReachesTheCellWhenTheMouseGoesElsewhere() {
        tarnsim::SimulatedRadio radio;
        Fixture f;
        f.state->link->PortName = radio.path();
        OpenChannelWindow c(f);
        QComboBox* box = c.window->comboBox();
        const auto file = std::filesystem::path(f.dir.filePath("picked.chnw").toStdString());
        const auto radioPower = [&] {
            const std::vector<std::uint8_t> memory = radio.radio().memory();
            MemoryImage image = blankMemoryImage();
            std::copy_n(memory.begin() + ChannelAreaBase, image.size(), image.begin());
            ChannelTable held;
            LoadGridFromImage(held, image);
            return QString::fromStdString(held.cell(5, 1));
        };
        c.enterFrequency(1, "446.1");
        const auto press = [&](QWidget* target, QPoint at = {}) {
            ChannelEditor& editor = c.window->editor();
            editor.change([&] { editor.table().setCell(5, 1, "High"); });
            c.window->grid()->setFocus();
            QVERIFY(c.window->grid()->moveTo(1, 1));
            QVERIFY(c.window->grid()->moveTo(5, 1));
            QTRY_VERIFY(box->isVisible());
            box->setCurrentIndex(box->findText("Low"));
            QTest::mouseClick(target, Qt::LeftButton, {}, at.isNull() ? target->rect().center() : at);
            QCoreApplication::processEvents();
        };
        for (const char* button : {kSaveButtonName, kOpenButtonName}) {
            f.documents->saveAnswers = {file};
            press(c.window->findChild<QPushButton*>(button));
            QVERIFY2(!box->isVisible(), button);
            QVERIFY2(cellText(c.window, 5, 1) == QString("Low"), button);
        }
        ChannelTable saved;
        test::ScriptedDialogs quiet;
        QVERIFY(LoadChannelFile(saved, file, quiet));
        QCOMPARE(saved.cell(5, 1), std::string("Low"));

        // Close asks about the changes, the pick among them, and stays on Cancel.
        c.window->editor().change([&] { c.window->editor().table().setCell(7, 1, "On"); });
        f.documents->saveChangesAnswers = {SaveChangesAnswer::Cancel};
        press(c.window->findChild<QPushButton*>(kCloseButtonName));
        QCOMPARE(f.documents->questions.size(), 1u);
        QCOMPARE(cellText(c.window, 5, 1), QString("Low"));
        // Write: the radio gets what the box showed.
        press(c.window->findChild<QPushButton*>(kWriteButtonName));
        QCOMPARE(radioPower(), QString("Low"));
        // New takes the pick first, then empties the channels as one more step.
        press(c.window->findChild<QPushButton*>(kResetButtonName));
        QTest::keyClick(c.window->grid(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(cellText(c.window, 5, 1), QString("Low"));
        // Read takes it too: the read, which brings the same channels, is no step, and
        // Undo finds the pick.
        press(c.window->findChild<QPushButton*>(kReadButtonName));
        QCOMPARE(f.dialogs.messages().back(), std::string("Recive data complete!"));
        QTest::keyClick(c.window->grid(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(cellText(c.window, 5, 1), QString("High"));
        QTest::keyClick(c.window->grid(), Qt::Key_Y, Qt::ControlModifier);
        // The tool bar and another cell.
        QToolBar* tools = f.window->findChild<QToolBar*>();
        QVERIFY(tools != nullptr);
        f.documents->saveAnswers = {file};
        press(tools->widgetForAction(f.window->findChild<QAction*>("ToolButton4")));
        QCOMPARE(cellText(c.window, 5, 1), QString("Low"));
        QTableView* grid = c.window->grid();
        press(grid->viewport(), grid->visualRect(grid->model()->index(1, 1)).center());
        QCOMPARE(cellText(c.window, 5, 1), QString("Low"));
    }

    // The keys of the Edit commands that act on channels belong to the grid alone: in
    // a cell's editor, the option box or on a button they do what they do there.
    void editKeysActOnChannelsOnlyFromTheGrid() {
        Fixture f;
        OpenChannelWindow c(f);
        for (int row = 1; row <= 3; ++row) {
            c.enterFrequency(row, QString("446.%1").arg(row));
        }
        const auto rows = [&] {
            return QStringList{cellText(c.window, 1, 1), cellText(c.window, 1, 2), cellText(c.window, 1, 3)};
        };
        const QStringList before = rows();

        // The option box: Alt+Down opens its list, and no channel moves.
        QVERIFY(c.window->grid()->moveTo(5, 2));
        QTRY_VERIFY(c.window->comboBox()->isVisible());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down, Qt::AltModifier);
        QTRY_VERIFY(c.window->comboBox()->view()->isVisible());
        c.window->comboBox()->hidePopup();
        QCOMPARE(rows(), before);

        // A button: Delete and Ctrl+X do nothing to the channels.
        c.window->findChild<QPushButton*>(kSaveButtonName)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(rows(), before);

        // The grid itself: the same keys act.
        c.window->grid()->setFocus();
        QVERIFY(c.window->grid()->moveTo(1, 2));
        QTest::keyClick(c.window->grid(), Qt::Key_Down, Qt::AltModifier);
        QCOMPARE(rows(), (QStringList{before[0], before[2], before[1]}));
        // And the menu entry works wherever the focus is.
        c.window->findChild<QPushButton*>(kSaveButtonName)->setFocus();
        f.window->channelMenus()->editEntry(EditCommand::MoveUp)->trigger();
        QCOMPARE(rows(), before);

        // A cell's editor: Ctrl+Delete and Insert edit the text being typed; no channel
        // goes or comes around it.
        c.window->grid()->setFocus();
        QVERIFY(c.window->grid()->moveTo(1, 2));
        QTest::keyClicks(c.window->grid(), "445");
        QWidget* editor = QApplication::focusWidget();
        QVERIFY(qobject_cast<QLineEdit*>(editor) != nullptr);
        QTest::keyClick(editor, Qt::Key_Home);
        QTest::keyClick(editor, Qt::Key_Delete, Qt::ControlModifier);
        QTest::keyClick(editor, Qt::Key_Insert);
        QCOMPARE(QApplication::focusWidget(), editor);
        QCOMPARE(cellText(c.window, 1, 1), before[0]);
        QCOMPARE(cellText(c.window, 1, 3), before[2]);
        QCOMPARE(cellText(c.window, 1, 4), QString());
    }

    // One click on the arrow opens the list, as in any combo box; the box is wide enough
    // for its longest entry, though its column is only as wide as its title.
    void oneClickOnTheArrowOpensTheList() {
        Fixture f;
        OpenChannelWindow c(f);
        c.enterFrequency(1, "446.1");
        QComboBox* box = c.window->comboBox();
        QVERIFY(c.window->grid()->moveTo(6, 1));
        QTRY_VERIFY(box->isVisible());
        QVERIFY(box->width() >= box->sizeHint().width());
        QVERIFY(box->width() > c.window->grid()->columnWidth(6));
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->width() - 6, box->height() / 2));
        QTRY_VERIFY(box->view()->isVisible());
        box->hidePopup();
    }

    void theKeyboardCrossesARowClosesAWindowAndSaves() {
        Fixture f;
        OpenChannelWindow c(f);
        c.enterFrequency(1, "446.1");
        QComboBox* box = c.window->comboBox();
        // Right and Left from an option cell: the shown entry is taken, as with Tab, and
        // the cursor goes on to the next cell.
        QVERIFY(c.window->grid()->moveTo(5, 1));
        QTRY_VERIFY(box->isVisible());
        box->setCurrentIndex(box->findText("Low"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
        QCOMPARE(cellText(c.window, 5, 1), QString("Low"));
        QTRY_COMPARE(c.window->editor().CurrentCol, 6);
        QTRY_VERIFY(box->isVisible());
        box->setCurrentIndex(box->findText("12.5K"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
        QCOMPARE(cellText(c.window, 6, 1), QString("12.5K"));
        QTRY_COMPARE(c.window->editor().CurrentCol, 5);
        QTRY_VERIFY(box->isVisible());

        // Ctrl+S presses the window's Save.
        const auto file = std::filesystem::path(f.dir.filePath("keys.chnw").toStdString());
        f.documents->saveAnswers = {file};
        c.window->grid()->setFocus();
        QTest::keyClick(c.window->grid(), Qt::Key_S, Qt::ControlModifier);
        QVERIFY(std::filesystem::exists(file));
        QVERIFY(!c.window->editor().modified());

        // Ctrl+F4 closes the active window, asking first about changes.
        c.enterFrequency(2, "446.2");
        QVERIFY(c.window->editor().modified());
        f.documents->saveChangesAnswers = {SaveChangesAnswer::Cancel, SaveChangesAnswer::Discard};
        QTest::keyClick(c.window->grid(), Qt::Key_F4, Qt::ControlModifier);
        QCOMPARE(f.documents->questions.size(), 1u);
        QVERIFY(f.window->child(ChildKind::Channel) != nullptr);
        QPointer<QWidget> frame = c.window->frame();
        QTest::keyClick(c.window->grid(), Qt::Key_F4, Qt::ControlModifier);
        QTRY_VERIFY(frame.isNull());
        QCOMPARE(f.state->session.WindowFlags, 0u);
    }

    void textReachesACellOnlyThroughItsFilter() {
        Fixture f;
        OpenChannelWindow c(f);
        QVERIFY(c.window->grid()->moveTo(1, 4));
        typeKeys("4");
        QWidget* editor = QApplication::focusWidget();
        QVERIFY(qobject_cast<QLineEdit*>(editor) != nullptr);
        // An input method's text meets the filter character by character.
        QInputMethodEvent composed;
        composed.setCommitString("4x6.1.5");
        QCoreApplication::sendEvent(editor, &composed);
        QCOMPARE(cellText(c.window, 1, 4), QString("446.15"));
        // Dropped text and the X selection's middle-click paste are refused.
        QMimeData dragged;
        dragged.setText("999");
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(editor, &drop);
        QGuiApplication::clipboard()->setText("777", QClipboard::Selection);
        QTest::mouseClick(editor, Qt::MiddleButton);
        QCOMPARE(cellText(c.window, 1, 4), QString("446.15"));
        QCOMPARE(qobject_cast<QLineEdit*>(editor)->text(), QString("446.15"));
    }

    void cellsKeepTheirColoursAndTheCurrentCellHasAFrame() {
        Fixture f;
        OpenChannelWindow c(f);
        c.enterFrequency(1, "446.1");
        verifyCursor(c.window, 2, 1);
        QAbstractItemModel* model = c.window->grid()->model();
        const QImage shot = c.window->grid()->viewport()->grab().toImage();
        const QRect current = c.window->grid()->visualRect(model->index(0, 2));
        const QRect other = c.window->grid()->visualRect(model->index(1, 2));
        const QColor cellColour(0xF7, 0xFF, 0xF6);
        QCOMPARE(shot.pixelColor(current.topLeft() + QPoint(5, 4)), cellColour);
        QCOMPARE(shot.pixelColor(other.topLeft() + QPoint(5, 4)), cellColour);
        QCOMPARE(shot.pixelColor(current.topLeft() + QPoint(1, 1)), QColor(Qt::blue));
        QCOMPARE(shot.pixelColor(other.topLeft() + QPoint(1, 1)), cellColour);
        // Titles in blue on their own colour, but for column 10's, in black.
        QCOMPARE(model->headerData(3, Qt::Horizontal, Qt::ForegroundRole).value<QColor>(),
                 QColor(Qt::blue));
        QCOMPARE(model->headerData(10, Qt::Horizontal, Qt::ForegroundRole).value<QColor>(),
                 QColor(Qt::black));
        QCOMPARE(model->headerData(3, Qt::Horizontal, Qt::BackgroundRole).value<QColor>(),
                 QColor(0xF0, 0xF8, 0xFF));
    }

    void rowsAreCopiedPastedAndClearedFromTheKeyboard() {
        Fixture f;
        OpenChannelWindow c(f);
        c.enterFrequency(90, "446.2");
        c.window->grid()->setFocus();
        QTest::keyClick(c.window->grid(), Qt::Key_C, Qt::ControlModifier);
        c.window->grid()->moveTo(1, 91);
        QTest::keyClick(c.window->grid(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(cellText(c.window, 1, 91), QString("446.20000"));
        QCOMPARE(cellText(c.window, 11, 91), QString("On"));
        QTest::keyClick(c.window->grid(), Qt::Key_Delete);
        QCOMPARE(cellText(c.window, 1, 91), QString());
        // The row menu's own entries come first, as they always have.
        const QList<QAction*> entries = c.window->rowMenu()->actions();
        QCOMPARE(entries[0]->text(), QString("Copy(&C)"));
        QCOMPARE(entries[1]->text(), QString("Paste(&V)"));
        QCOMPARE(entries[2]->text(), QString("Clear(&D)"));
        QVERIFY(entries[3]->isSeparator());
        QCOMPARE(entries[4]->text(), QString("Show channel names"));
    }

    void closingWaitsForTheTransferAndDestroysTheWindow() {
        Fixture f;
        OpenChannelWindow c(f);
        QCOMPARE(f.state->session.WindowFlags, 10u);
        f.state->session.Busy = true;
        QTest::mouseClick(c.window->closePicture(), Qt::LeftButton);
        QTest::mouseClick(c.window->findChild<QPushButton*>(kCloseButtonName), Qt::LeftButton);
        QCoreApplication::processEvents();
        QCOMPARE(f.window->clientArea()->subWindowList().size(), 1);
        f.state->session.Busy = false;
        QPointer<QWidget> frame = c.window->frame();
        QTest::mouseClick(c.window->closePicture(), Qt::LeftButton);
        QTRY_VERIFY(frame.isNull());
        QVERIFY(f.window->clientArea()->subWindowList().isEmpty());
        QCOMPARE(f.state->session.WindowFlags, 0u);
    }

    void unsavedChangesAreOfferedForSavingOnClose() {
        Fixture f;
        OpenChannelWindow c(f);
        c.enterFrequency(1, "446.1");
        QVERIFY(c.window->editor().modified());
        f.documents->saveChangesAnswers = {SaveChangesAnswer::Cancel, SaveChangesAnswer::Cancel};
        QVERIFY(!c.window->frame()->close());
        // Closing the program asks too, and Cancel keeps it open.
        QVERIFY(!f.window->close());
        QVERIFY(f.window->isVisible());
        QCOMPARE(f.documents->questions.size(), 2u);
        QCOMPARE(f.documents->questions.back(),
                 std::string("The channel table has changes that are not saved. Save them?"));
        const auto file = std::filesystem::path(f.dir.filePath("kept.chnw").toStdString());
        f.documents->saveChangesAnswers = {SaveChangesAnswer::Save};
        f.documents->saveAnswers = {file};
        QVERIFY(c.window->frame()->close());
        ChannelTable reread;
        test::ScriptedDialogs quiet;
        QVERIFY(LoadChannelFile(reread, file, quiet));
        QCOMPARE(reread.cell(1, 1), std::string("446.10000"));

        // An unchanged table closes without a word.
        OpenChannelWindow again(f);
        const std::size_t asked = f.documents->questions.size();
        QVERIFY(again.window->frame()->close());
        QCOMPARE(f.documents->questions.size(), asked);
    }

    void theTitleStripDragsWithTheLeftButtonAlone() {
        Fixture f;
        OpenChannelWindow c(f);
        QWidget* frame = c.window->frame();
        const QPoint start = frame->pos();
        const auto drag = [&](QWidget* on, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
            const QPointF inside(10, 5);
            const QPointF global = on->mapToGlobal(inside);
            QMouseEvent press(QEvent::MouseButtonPress, inside, global, button, button, modifiers);
            QCoreApplication::sendEvent(on, &press);
            QMouseEvent move(QEvent::MouseMove, inside + QPointF(40, 30), global + QPointF(40, 30),
                             Qt::NoButton, button, modifiers);
            QCoreApplication::sendEvent(on, &move);
            QMouseEvent release(QEvent::MouseButtonRelease, inside + QPointF(40, 30),
                                global + QPointF(40, 30), button, Qt::NoButton, modifiers);
            QCoreApplication::sendEvent(on, &release);
        };
        drag(c.window->dragArea(), Qt::RightButton, Qt::NoModifier);
        drag(c.window->dragArea(), Qt::LeftButton, Qt::ShiftModifier);
        drag(c.window->titleLabel(), Qt::LeftButton, Qt::ControlModifier);
        QCOMPARE(frame->pos(), start);
        drag(c.window->titleLabel(), Qt::LeftButton, Qt::NoModifier);
        QCOMPARE(frame->pos(), start + QPoint(40, 30));
    }

    void windowFlagsFollowActivationAndClosing() {
        Fixture f;
        OpenChannelWindow c(f);
        QCOMPARE(f.state->session.WindowFlags, 10u);
        f.window->runCommand(MainCommand::Param);
        QCOMPARE(f.state->session.WindowFlags, 7u);
        f.window->child(ChildKind::Settings)->frame()->close();
        QCOMPARE(f.state->session.WindowFlags, 10u);
        f.window->runCommand(MainCommand::Param);
        c.window->frame()->close();
        QCOMPARE(f.state->session.WindowFlags, 5u);
        f.window->child(ChildKind::Settings)->frame()->close();
        QCOMPARE(f.state->session.WindowFlags, 0u);
    }

    void channelAndParamBringAnExistingWindowBackToItsPlace() {
        Fixture f;
        OpenChannelWindow c(f);
        c.window->frame()->move(200, 150);
        f.window->runCommand(MainCommand::Channel);
        QCOMPARE(c.window->frame()->pos(), QPoint(36, 36));
        f.window->runCommand(MainCommand::Param);
        QWidget* settings = f.window->child(ChildKind::Settings)->frame();
        settings->move(300, 100);
        f.window->runCommand(MainCommand::Param);
        QCOMPARE(settings->pos(), QPoint(26, 26));
    }

    void aBackupOpensAsAStepAndCanBeDeleted() {
        QTemporaryDir data;
        const QByteArray saved = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", data.path().toUtf8());
        const auto restore = qScopeGuard([&] { qputenv("XDG_DATA_HOME", saved); });
        ChannelTable older;
        older.setCell(1, 3, "446.01000");
        older.setCell(2, 3, "446.01000");
        MemoryImage image = blankMemoryImage();
        StoreGridToImage(older, image);
        const std::string bytes(reinterpret_cast<const char*>(image.data()), image.size());
        const auto now = std::chrono::system_clock::now();
        saveBackup(backupFolder(), BackupKind::Channels, bytes, now - std::chrono::hours(48));
        saveBackup(backupFolder(), BackupKind::Channels, bytes, now, BackupOrigin::Written);
        saveBackup(backupFolder(), BackupKind::Settings, joinOptwLines(SettingsForm().saveLines()),
                   now - std::chrono::hours(72));

        Fixture f;
        OpenChannelWindow c(f);
        BackupsDialog dialog(backupFolder(), [&](const BackupEntry& entry) {
            f.window->channelMenus()->openBackup(entry);
        });
        QCOMPARE(dialog.list()->topLevelItemCount(), 3);
        // A settings backup is summed up by its first settings.
        QVERIFY(dialog.list()->topLevelItem(2)->text(3).contains(": "));
        QCOMPARE(dialog.list()->topLevelItem(0)->text(2), QString("written"));
        QCOMPARE(dialog.list()->topLevelItem(1)->text(2), QString("read"));
        QCOMPARE(dialog.list()->topLevelItem(1)->text(3), QString("1 channel(s) set"));
        dialog.list()->setCurrentItem(dialog.list()->topLevelItem(1));
        dialog.openPicked();
        QCOMPARE(cellText(c.window, 1, 3), QString("446.01000"));
        QVERIFY(c.window->editor().modified());
        QTest::keyClick(c.window->grid(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(cellText(c.window, 1, 3), QString());

        BackupsDialog again(backupFolder(), [](const BackupEntry&) {});
        QString asked;
        again.confirm = [&](const QString& question) {
            asked = question;
            return true;
        };
        again.deletePicked();
        QVERIFY(asked.contains("-written.img"));
        QCOMPARE(again.list()->topLevelItemCount(), 2);
        QCOMPARE(listBackups(backupFolder()).size(), std::size_t{2});
    }
};

int main(int argc, char** argv) {
    return lumo::test::runWindowTests<ChannelWindowTest>(argc, argv);
}

#include "channel_window_test.moc"
