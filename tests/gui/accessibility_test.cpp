// What a screen reader and a keyboard user meet: every control named, the grid's cells
// spoken with their place, messages as alerts, Tab in reading order, and the Radio
// menu and window cycling from the keyboard.
#include <QAccessible>
#include <QApplication>
#include <QMdiArea>
#include <QMenuBar>
#include <QMessageBox>
#include <QTableView>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "gui/channel_window.h"
#include "gui/channel_menus.h"
#include "gui/settings_window.h"
#include "gui/qt_dialogs.h"
#include "gui/widget_names.h"
#include "tests/gui/channel_window_helpers.h"
#include "tests/gui/gui_fixture.h"

using namespace lumo;
using lumo::test::OpenChannelWindow;
using lumo::test::Fixture;

namespace {

bool isControl(QAccessible::Role role) {
    switch (role) {
        case QAccessible::Button:
        case QAccessible::CheckBox:
        case QAccessible::RadioButton:
        case QAccessible::ComboBox:
        case QAccessible::EditableText:
        case QAccessible::SpinBox:
        case QAccessible::Slider:
        case QAccessible::ProgressBar:
        case QAccessible::PageTab:
        case QAccessible::Table:
        case QAccessible::List:
        case QAccessible::Tree:
        case QAccessible::ButtonMenu:
        case QAccessible::ButtonDropDown:
        case QAccessible::MenuItem:
            return true;
        default:
            return false;
    }
}

QString describe(QAccessibleInterface* iface) {
    QObject* object = iface->object();
    return QString("%1 '%2' (role %3)")
        .arg(object ? object->metaObject()->className() : "?")
        .arg(object ? object->objectName() : QString())
        .arg(int(iface->role()));
}

// Whether a box the user fills in says what it is for. On Linux a combo box's name is
// its value, so the label it is given as a buddy (or a name of its own) must say it.
bool boxIsLabelled(QAccessibleInterface* iface) {
    const auto role = iface->role();
    if (role != QAccessible::ComboBox && role != QAccessible::SpinBox &&
        role != QAccessible::EditableText) {
        return true;
    }
    auto* widget = qobject_cast<QWidget*>(iface->object());
    if (widget != nullptr && !widget->accessibleName().isEmpty()) {
        return true;
    }
    // The line inside an editable combo box or a spin box belongs to its box.
    if (iface->parent() != nullptr && (iface->parent()->role() == QAccessible::ComboBox ||
                                       iface->parent()->role() == QAccessible::SpinBox)) {
        return true;
    }
    return !iface->relations(QAccessible::Label).isEmpty();
}

// The visible controls under `root` that a screen reader could not name. A table's
// cells are left to their own test: there are thousands.
QStringList unnamedControls(QAccessibleInterface* root) {
    QStringList unnamed;
    const std::function<void(QAccessibleInterface*)> visit = [&](QAccessibleInterface* iface) {
        if (iface == nullptr || iface->state().invisible) {
            return;
        }
        if (isControl(iface->role()) &&
            (iface->text(QAccessible::Name).trimmed().isEmpty() || !boxIsLabelled(iface))) {
            unnamed << describe(iface);
        }
        if (iface->role() == QAccessible::Table) {
            return;
        }
        for (int i = 0; i < iface->childCount(); ++i) {
            visit(iface->child(i));
        }
    };
    visit(root);
    return unnamed;
}

QStringList unnamedControls(QWidget* widget) {
    return unnamedControls(QAccessible::queryAccessibleInterface(widget));
}

// Runs `open`, which shows a modal dialog, and hands the dialog to `look` before
// closing it with Escape.
void inspectModal(const std::function<void()>& open, const std::function<void(QWidget*)>& look) {
    bool seen = false;
    QTimer::singleShot(0, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr) {
            return;
        }
        seen = true;
        look(modal);
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    open();
    QVERIFY2(seen, "no dialog opened");
}

QWidget* activeChild(Fixture& f) {
    QMdiSubWindow* window = f.window->clientArea()->activeSubWindow();
    return window != nullptr ? window->widget() : nullptr;
}

}  // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void everyVisibleControlIsNamed() {
        Fixture f;
        OpenChannelWindow c(f);
        ChannelWindow* channels = c.window;
        // The option box over an option cell is a control of its own.
        c.enterFrequency(1, "446.1");
        QVERIFY(channels->grid()->moveTo(5, 1));
        QTRY_VERIFY(channels->comboBox()->isVisible());
        // On Linux a combo box's name is its value, so the place goes in the description.
        QCOMPARE(QAccessible::queryAccessibleInterface(channels->comboBox())
                     ->text(QAccessible::Description),
                 "channel 1, " + QString::fromStdString(columnName(channels->table(), 5)));
        ChildWindow* settings = f.open(MainCommand::Param);
        QVERIFY(settings);
        const QStringList unnamed = unnamedControls(f.window.get());
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join("\n")));
        // A picture to the toolkit, a button to the user.
        for (ChildWindow* child : {static_cast<ChildWindow*>(channels), settings}) {
            QCOMPARE(QAccessible::queryAccessibleInterface(child->closePicture())
                         ->text(QAccessible::Name), QString("Close"));
        }

        // The dialogs the windows open, each as the user opens it.
        ChannelMenus* menus = f.window->channelMenus();
        f.store->setValue("Preferences/reviewBeforeWrite", "true");
        const std::pair<const char*, std::function<void()>> dialogs[] = {
            {"Preferences", [&] { menus->preferencesEntry()->trigger(); }},
            {"Backups", [&] { menus->backupsEntry()->trigger(); }},
            {"Sort", [&] {
                 f.open(MainCommand::Channel);
                 menus->editEntry(EditCommand::Sort)->trigger();
             }},
            {"Set Column", [&] { menus->editEntry(EditCommand::SetColumn)->trigger(); }},
            {"Find", [&] { menus->editEntry(EditCommand::Find)->trigger(); }},
            {"write review", [&] { channels->button(ChildButton::Write)->click(); }},
        };
        for (const auto& [name, open] : dialogs) {
            inspectModal(open, [name = name](QWidget* dialog) {
                const QStringList missing = unnamedControls(dialog);
                QVERIFY2(missing.isEmpty(), qPrintable(QString(name) + ":\n" + missing.join("\n")));
            });
        }
    }

    void gridCellsSpeakTheirPlace() {
        Fixture f;
        OpenChannelWindow c(f);
        ChannelWindow* channels = c.window;
        c.enterFrequency(3, "446.1");
        QAccessibleInterface* grid = QAccessible::queryAccessibleInterface(channels->grid());
        QCOMPARE(grid->text(QAccessible::Name), QString("Channels"));
        QAccessibleTableInterface* table = grid->tableInterface();
        QVERIFY(table);
        const QString rx = QString::fromStdString(columnName(channels->table(), 1));
        const QString tx = QString::fromStdString(columnName(channels->table(), 2));
        QCOMPARE(table->cellAt(2, 1)->text(QAccessible::Name),
                 QString("channel 3, %1, %2").arg(rx, QString::fromStdString(channels->table().cell(1, 3))));
        QVERIFY(channels->table().cell(1, 3).rfind("446.1", 0) == 0);
        QCOMPARE(table->cellAt(1, 2)->text(QAccessible::Name), QString("channel 2, %1, empty").arg(tx));
    }

    // A notice and a refusal are both alerts; the refusal's icon tells it apart.
    void messagesAreAlerts() {
        QtDialogs dialogs;
        const struct {
            std::function<void()> show;
            QMessageBox::Icon icon;
        } messages[] = {
            {[&] { dialogs.showMessage("Recive data complete!", {}); }, QMessageBox::Information},
            {[&] { dialogs.showWarning("Channel 99 is in use."); }, QMessageBox::Warning},
        };
        for (const auto& m : messages) {
            inspectModal(m.show, [&](QWidget* box) {
                QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(box);
                QCOMPARE(iface->role(), QAccessible::AlertMessage);
                QVERIFY(unnamedControls(iface).isEmpty());
                QCOMPARE(qobject_cast<QMessageBox*>(box)->icon(), m.icon);
            });
        }
    }

    // Tab walks the settings window row by row, left to right, and reaches the
    // buttons last; it reaches every control the user can see.
    void settingsTabFollowsTheLayout() {
        Fixture f;
        auto* settings = static_cast<SettingsWindow*>(f.open(MainCommand::Param));
        QApplication::setActiveWindow(f.window.get());
        std::vector<QWidget*> visited;
        // From the last button Tab comes round to the first control.
        QWidget* last = settings->findChild<QPushButton*>(kCloseButtonName);
        last->setFocus();
        QTest::keyClick(last, Qt::Key_Tab);
        QWidget* first = QApplication::focusWidget();
        for (QWidget* focus = first; visited.size() < 100;) {
            visited.push_back(focus);
            QTest::keyClick(focus, Qt::Key_Tab);
            focus = QApplication::focusWidget();
            QVERIFY(focus);
            if (focus == first) {
                break;
            }
        }
        const auto place = [&](QWidget* w) { return QRect(w->mapTo(settings, QPoint(0, 0)), w->size()); };
        for (std::size_t i = 1; i < visited.size(); ++i) {
            const QRect a = place(visited[i - 1]);
            const QRect b = place(visited[i]);
            const bool sameRow = b.top() < a.bottom() && a.top() < b.bottom();
            QVERIFY2(sameRow ? b.left() > a.left() : b.top() >= a.bottom(),
                     qPrintable(QString("%1 at (%2, %3) then %4 at (%5, %6)")
                                    .arg(visited[i - 1]->objectName()).arg(a.left()).arg(a.top())
                                    .arg(visited[i]->objectName()).arg(b.left()).arg(b.top())));
        }
        QCOMPARE(visited.back(), last);
        for (QWidget* w : settings->findChildren<QWidget*>()) {
            if ((w->focusPolicy() & Qt::TabFocus) && w->isVisible() && w->isEnabled()) {
                QVERIFY2(std::find(visited.begin(), visited.end(), w) != visited.end(),
                         qPrintable(w->objectName() + " is never reached"));
            }
        }
    }

    // The grid is no trap: Tab goes on to the buttons, Shift+Tab comes back.
    void channelWindowTabsFromGridToButtons() {
        Fixture f;
        OpenChannelWindow c(f);
        QVERIFY(c.window->grid()->moveTo(2, 3));
        QTest::keyClick(c.window->grid(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), c.window->button(ChildButton::Read));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), c.window->grid());
        lumo::test::verifyCursor(c.window, 2, 3);
    }

    void radioMenuAndWindowCyclingFromTheKeyboard() {
        Fixture f;
        const KeyboardEntries& keys = f.window->keyboardEntries();
        QVERIFY(f.window->menuBar()->actions().contains(keys.radio->menuAction()));
        // No shortcut of the main window does two things.
        QMap<QKeySequence, QString> taken;
        for (QAction* action : f.window->findChildren<QAction*>()) {
            for (const QKeySequence& shortcut : action->shortcuts()) {
                QVERIFY2(!taken.contains(shortcut), qPrintable(shortcut.toString() + ": " +
                                                              taken.value(shortcut) + " and " +
                                                              action->text()));
                taken.insert(shortcut, action->text());
            }
        }

        QApplication::setActiveWindow(f.window.get());
        QTest::keySequence(f.window.get(), keys.read->shortcut());
        QCOMPARE(f.dialogs.messages(), std::vector<std::string>{kSelectChildFirst});

        QWidget* channels = f.open(MainCommand::Channel);
        QWidget* settings = f.open(MainCommand::Param);
        QCOMPARE(activeChild(f), settings);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(activeChild(f), channels);
        QVERIFY(channels->isAncestorOf(QApplication::focusWidget()));
        // From inside the grid as well, which takes plain Tab for itself.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab,
                        Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(activeChild(f), settings);
    }
};

int main(int argc, char** argv) {
    return lumo::test::runWindowTests<AccessibilityTest>(argc, argv);
}

#include "accessibility_test.moc"
