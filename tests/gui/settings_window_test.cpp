// The settings window under the offscreen platform: controls built from the layout,
// the user's picks against the program's values, Default, Open, and Read and Write
// against the simulated radio.
#include <QApplication>
#include <QComboBox>
#include <QMdiArea>
#include <QStatusBar>
#include <QtTest>

#include "gui/settings_window.h"
#include "gui/widget_names.h"
#include "settings/optw_file.h"
#include "sim/sim_fault.h"
#include "sim/simulated_radio.h"
#include "tests/gui/gui_fixture.h"
#include "tests/support/sim_radio_setup.h"

using namespace lumo;
using lumo::test::Fixture;
namespace names = lumo::settings_controls;

namespace {

SettingsWindow* openSettings(Fixture& f) {
    return static_cast<SettingsWindow*>(f.open(MainCommand::Param));
}

// A pick as the user makes it: the keyboard on the box.
void pickNext(QComboBox* box) {
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Down);
}

std::string comboName(std::string_view name) {
    return std::string(name);
}

// Radio memory whose settings bytes from 0x0E20 are `settings`.
std::vector<std::uint8_t> radioWithSettings(const std::vector<std::uint8_t>& settings) {
    std::vector<std::uint8_t> memory(0x0E40, 0xFF);
    std::copy(settings.begin(), settings.end(), memory.begin() + 0x0E20);
    return memory;
}

}  // namespace

class SettingsWindowTest : public QObject {
    Q_OBJECT

private slots:
    void controlsFollowTheLayout() {
        Fixture f;
        SettingsWindow* window = openSettings(f);
        QVERIFY(window);
        QCOMPARE(window->objectName(), QString(kSettingsWindowName));
        QCOMPARE(window->windowTitle(), QString("Dune-"));
        QCOMPARE(window->titleLabel()->text(), QString("Tarn Param config"));
        QCOMPARE(window->size(), QSize(497, 268 + 29));
        QVERIFY(window->frame()->windowFlags() & Qt::FramelessWindowHint);

        const std::function<void(const Control&)> check = [&](const Control& control) {
            for (const Control& child : control.children) {
                check(child);
            }
            if (control.kind == ControlKind::ComboBox) {
                QComboBox* box = window->comboBox(control.name);
                QVERIFY2(box, control.name.c_str());
                QVERIFY(!box->isEditable());
                QCOMPARE(box->count(), static_cast<int>(control.items.size()));
                for (std::size_t i = 0; i < control.items.size(); ++i) {
                    QCOMPARE(box->itemText(static_cast<int>(i)).toStdString(), control.items[i]);
                }
                QCOMPARE(box->currentIndex(), control.itemIndex);
                QCOMPARE(box->isEnabled(), control.enabled);
                QCOMPARE(box->isVisibleTo(window), control.visible);
            } else if (control.kind == ControlKind::CheckBox) {
                QCheckBox* box = window->checkBox(control.name);
                QVERIFY2(box, control.name.c_str());
                QCOMPARE(box->text().toStdString(), control.caption);
                QCOMPARE(box->isVisibleTo(window), control.visible);
            }
        };
        check(window->form().body());
        for (const char* off : {"ComboBox6", "ComboBox9", "CheckBox1"}) {
            QWidget* w = window->findChild<QWidget*>(off);
            QVERIFY(!w->isEnabled() && !w->isVisibleTo(window));
        }
        QCOMPARE(window->findChild<QLabel*>("Label6")->text(), QString("Time Out Timer(S):"));
        QVERIFY(!window->findChild<QLabel*>("Label7")->isVisibleTo(window));
        // Panel2 lies over Panel1 and covers it.
        QWidget* covered = window->panel("Panel1");
        QWidget* cover = window->panel("Panel2");
        QCOMPARE(covered->geometry(), cover->geometry());
        QWidget* onTop = covered->parentWidget()->childAt(covered->geometry().center());
        QVERIFY(onTop == cover || cover->isAncestorOf(onTop));
        QVERIFY(!window->comboBox(comboName(names::kVolume))->toolTip().isEmpty());
        QCOMPARE(window->findChild<QLabel*>(kSettingsProgressLabelName)->text(),
                 QString("Progress"));
        QCOMPARE(window->findChild<QPushButton*>(kResetButtonName)->text(), QString("Default"));
    }

    void onlyTheUsersPickSwitchesTheOtherToneOff() {
        tarnsim::SimulatedRadio radio;
        radio.radio().loadMemory(radioWithSettings({3, 5, 7, 0, 2, 1, 4, 0, 0, 12, 2, 1, 0, 4, 4, 0}));
        Fixture f;
        f.state->link->PortName = radio.path();
        SettingsWindow* window = openSettings(f);
        window->findChild<QPushButton*>(kReadButtonName)->click();
        QCOMPARE(f.dialogs.messages().back(), std::string("Recive data complete!"));
        QComboBox* ctcss = window->comboBox(comboName(names::kCtcss));
        QComboBox* dcs = window->comboBox(comboName(names::kDcs));
        QCOMPARE(ctcss->currentText(), QString("5"));
        QCOMPARE(dcs->currentText(), QString("7"));
        QCOMPARE(window->comboBox(comboName(names::kVolume))->currentText(), QString("12"));
        QVERIFY(window->checkBox(comboName(names::kKeyLock))->isChecked());
        QCOMPARE(window->findChild<QProgressBar*>(kProgressBarName)->value(), 0);
        QVERIFY(!f.state->session.Busy);

        pickNext(ctcss);
        QCOMPARE(ctcss->currentText(), QString("6"));
        QCOMPARE(dcs->currentText(), QString("Off"));
        QCOMPARE(window->form().control(names::kDcs).itemIndex, 0);
    }

    void defaultAndAFailedOpenTouchOnlyWhatTheyShould() {
        Fixture f;
        SettingsWindow* window = openSettings(f);
        QComboBox* volume = window->comboBox(comboName(names::kVolume));
        QComboBox* highPower = window->comboBox(comboName(names::kHighPowerAllowed));
        pickNext(volume);
        pickNext(highPower);
        QCOMPARE(volume->currentText(), QString("11"));
        window->findChild<QPushButton*>(kResetButtonName)->click();
        QCOMPARE(volume->currentText(), QString("10"));
        QCOMPARE(window->comboBox(comboName(names::kTimeOutTimer))->currentText(), QString("120S"));
        QCOMPARE(highPower->currentText(), QString("ON"));

        // A cut file: told, and every control as it was.
        const auto cut = std::filesystem::path(f.dir.filePath("cut.optw").toStdString());
        writeOptwFile(cut, {"0", "0", "1"});
        const std::vector<std::string> before = window->form().saveLines();
        f.documents->openAnswers = {cut};
        window->findChild<QPushButton*>(kOpenButtonName)->click();
        QCOMPARE(window->form().saveLines(), before);
        QVERIFY(f.dialogs.messages().back().find("cut.optw") != std::string::npos);
        QCOMPARE(f.documents->opened.back().filter, std::string("optw file(*.optw)|*.optw"));

        // Save, change, Open: the saved values come back.
        const auto kept = std::filesystem::path(f.dir.filePath("kept.optw").toStdString());
        f.documents->saveAnswers = {kept};
        window->findChild<QPushButton*>(kSaveButtonName)->click();
        pickNext(volume);
        f.documents->openAnswers = {kept};
        window->findChild<QPushButton*>(kOpenButtonName)->click();
        QCOMPARE(volume->currentText(), QString("10"));
    }

    void writeSendsTheControlsAndASilentRadioKeepsTheWindowAlive() {
        tarnsim::SimulatedRadio radio;
        Fixture f;
        f.state->link->PortName = radio.path();
        SettingsWindow* window = openSettings(f);
        pickNext(window->comboBox(comboName(names::kBeepVolume)));
        window->findChild<QPushButton*>(kWriteButtonName)->click();
        QCOMPARE(f.dialogs.messages().back(), std::string("Translate data complete!"));
        const std::vector<std::uint8_t> memory = radio.radio().memory();
        const std::vector<std::uint8_t> sent(memory.begin() + 0x0E20, memory.begin() + 0x0E30);
        QCOMPARE(sent, window->form().radioBytes());
        QCOMPARE(sent[6], std::uint8_t{5});
        QVERIFY(!window->findChild<QPushButton*>(kWriteButtonName)->isDown());

        std::string error;
        tarnsim::SimulatedRadio silent({.faults = {tarnsim::parseFault("silent", error).value()}});
        f.state->link->PortName = silent.path();
        const std::vector<std::string> before = window->form().saveLines();
        int ticks = 0;
        int unlockedTicks = 0;  // ticks during the transfer with a control still usable
        QComboBox* volume = window->comboBox(comboName(names::kVolume));
        QTimer timer;
        QObject::connect(&timer, &QTimer::timeout, [&] {
            ++ticks;
            unlockedTicks += f.state->session.Busy && volume->isEnabled() ? 1 : 0;
        });
        timer.start(5);
        window->findChild<QPushButton*>(kReadButtonName)->click();
        QVERIFY(ticks > 0);
        QCOMPARE(unlockedTicks, 0);
        QVERIFY(volume->isEnabled());
        QVERIFY(!f.state->session.Busy);
        QCOMPARE(window->findChild<QProgressBar*>(kProgressBarName)->value(), 0);
        QCOMPARE(window->form().saveLines(), before);
    }

    void changedSettingsAreOfferedForSavingOnClose() {
        Fixture f;
        SettingsWindow* window = openSettings(f);
        pickNext(window->comboBox(comboName(names::kSquelch)));
        f.documents->saveChangesAnswers = {SaveChangesAnswer::Cancel, SaveChangesAnswer::Discard};
        QVERIFY(!window->frame()->close());
        QCOMPARE(f.documents->questions.back(),
                 std::string("The settings have changes that are not saved. Save them?"));
        QPointer<QWidget> frame = window->frame();
        QVERIFY(frame->close());
        QTRY_VERIFY(frame.isNull());
        QCOMPARE(f.state->session.WindowFlags, 0u);
        // A reopened window starts from the design-time values, unchanged.
        SettingsWindow* again = openSettings(f);
        QCOMPARE(again->comboBox(comboName(names::kSquelch))->currentText(), QString("5"));
        QVERIFY(again->frame()->close());
    }

    void aWriteIsReviewedAgainstTheLastReadAndVerified() {
        tarnsim::SimulatedRadio radio;
        Fixture f;
        f.store->setValue("Preferences/reviewBeforeWrite", "true");
        f.store->setValue("Preferences/verifyAfterWrite", "true");
        f.state->link->PortName = radio.path();
        SettingsWindow* window = openSettings(f);
        std::vector<WriteReview> reviews;
        window->confirmWrite = [&](const WriteReview& review) {
            reviews.push_back(review);
            return ReviewAnswer::Write;
        };
        radio.radio().loadMemory(radioWithSettings(SettingsForm().radioBytes()));
        window->findChild<QPushButton*>(kReadButtonName)->click();
        pickNext(window->comboBox(comboName(names::kBeepVolume)));
        window->findChild<QPushButton*>(kWriteButtonName)->click();
        QCOMPARE(reviews.size(), std::size_t{1});
        QVERIFY(reviews[0].kind == WriteReview::Kind::Changes);
        QVERIFY(QString::fromStdString(reviews[0].source).startsWith("the last read, at "));
        QCOMPARE(reviews[0].changes.size(), std::size_t{1});
        QVERIFY2(reviews[0].changes[0].find(" -> ") != std::string::npos, reviews[0].changes[0].c_str());
        QCOMPARE(f.window->statusBar()->currentMessage(), QString("Written and verified"));

        // A radio that keeps another squelch: the read-back names it, and the next
        // review compares with what the radio was seen to hold.
        tarnsim::SimulatedRadio corrupting({.faults = test::faults({"corrupt:0x0E24"})});
        f.state->link->PortName = corrupting.path();
        window->findChild<QPushButton*>(kWriteButtonName)->click();
        QVERIFY(reviews.back().kind == WriteReview::Kind::NoChanges);
        const std::string told = f.dialogs.messages().back();
        QVERIFY2(told.find("1 setting(s) differ:\nSsquelch Leverl: wrote 5, radio holds 4") != std::string::npos,
                 told.c_str());
        window->findChild<QPushButton*>(kWriteButtonName)->click();
        QVERIFY(reviews.back().kind == WriteReview::Kind::Changes);
        QCOMPARE(reviews.back().changes, std::vector<std::string>{"Ssquelch Leverl: 4 -> 5"});
    }

    // Escape stops the read-back of a write started from the keyboard, wherever the
    // focus is, and the write is not called verified.
    void escapeStopsTheVerify() {
        tarnsim::SimulatedRadio radio({}, true);  // paced: the read-back takes a moment
        Fixture f(true, {}, {true});              // Yes to "Stop the transfer?"
        f.store->setValue("Preferences/verifyAfterWrite", "true");
        f.state->link->PortName = radio.path();
        SettingsWindow* window = openSettings(f);
        QApplication::setActiveWindow(f.window.get());
        QComboBox* volume = window->comboBox(comboName(names::kVolume));
        pickNext(volume);
        bool written = false;
        bool escaped = false;
        f.dialogs.onMessage = [&](const std::string& text) { written = written || text == "Translate data complete!"; };
        QTimer timer;
        QObject::connect(&timer, &QTimer::timeout, [&] {
            if (written && !escaped && f.state->session.Busy) {
                escaped = true;
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            }
        });
        timer.start(1);
        QTest::keyClick(volume, Qt::Key_W, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(escaped);
        QCOMPARE(f.dialogs.questions(), std::vector<std::string>{"Stop the transfer?"});
        QCOMPARE(f.window->statusBar()->currentMessage(),
                 QString("Written, not verified: the check was stopped"));
        QVERIFY(!f.state->session.Busy);
    }

    void tabNeverReachesTheCoveredPanel() {
        Fixture f;
        SettingsWindow* window = openSettings(f);
        QWidget* covered = window->panel("Panel1");
        const std::vector<std::uint8_t> before = window->form().radioBytes();
        f.window->activateWindow();
        QApplication::setActiveWindow(f.window.get());
        QPushButton* read = window->findChild<QPushButton*>(kReadButtonName);
        read->setFocus();
        for (int tab = 0; tab < 40; ++tab) {
            QWidget* focus = QApplication::focusWidget();
            QVERIFY(focus != nullptr);
            QTest::keyClick(focus, Qt::Key_Tab);
            focus = QApplication::focusWidget();
            QVERIFY(focus != nullptr);
            QVERIFY2(!covered->isAncestorOf(focus), qPrintable(focus->objectName()));
            QTest::keyClick(focus, Qt::Key_Down);
        }
        // Down wherever the focus rested changed nothing the user cannot see.
        for (auto* box : covered->findChildren<QComboBox*>()) {
            QCOMPARE(box->focusPolicy(), Qt::NoFocus);
        }
        QCOMPARE(window->form().radioBytes()[2], before[2]);
    }
};

int main(int argc, char** argv) {
    return lumo::test::runWindowTests<SettingsWindowTest>(argc, argv);
}

#include "settings_window_test.moc"
