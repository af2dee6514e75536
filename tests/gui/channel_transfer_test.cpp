// The channel window's Read and Write against the simulated radio: the review, the
// verify, what is known of the radio after each, and Escape, which stops any of them.
#include <QApplication>
#include <QMdiArea>
#include <QStatusBar>
#include <QtTest>
#include <deque>

#include "gui/channel_window.h"
#include "gui/widget_names.h"
#include "shell/backups.h"
#include "sim/simulated_radio.h"
#include "tests/gui/channel_window_helpers.h"
#include "tests/gui/gui_fixture.h"
#include "tests/support/scripted_reviews.h"
#include "tests/support/sim_radio_setup.h"

using namespace lumo;
using lumo::test::Fixture;
using namespace lumo::test;

namespace {

// The review before a write and the verify after it on, as they are at first; the
// reviews answered by `script`.
void reviewAndVerify(Fixture& f, ChannelWindow* window, ScriptedReviews& script) {
    f.store->setValue("Preferences/reviewBeforeWrite", "true");
    f.store->setValue("Preferences/verifyAfterWrite", "true");
    window->confirmWrite = [&script](const WriteReview& review) { return script(review); };
}

}  // namespace

class ChannelTransferTest : public QObject {
    Q_OBJECT

private slots:
    void escapeStopsATransferBetweenBlocks() {
        tarnsim::SimulatedRadio radio({}, true);  // paced: a read takes seconds
        Fixture f(true, {}, {true});  // Yes to "Stop the transfer?"
        f.state->link->PortName = radio.path();
        OpenChannelWindow c(f);
        c.enterFrequency(1, "446.1");
        c.window->grid()->moveTo(1, 1);
        bool lockedWhileReading = false;
        bool closeBoxWhileReading = true;
        QTimer::singleShot(400, c.window, [&] {
            // The grid is read-only, visibly, and Escape still reaches the window; the
            // main window asks for its close box to go.
            lockedWhileReading = !c.window->grid()->isEnabled();
            closeBoxWhileReading =
                f.window->windowHandle()->flags().testFlag(Qt::WindowCloseButtonHint);
            QTest::keyClick(c.window->grid(), Qt::Key_5);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        });
        c.window->findChild<QPushButton*>(kReadButtonName)->click();
        QCOMPARE(f.dialogs.questions().back(), std::string("Stop the transfer?"));
        QVERIFY(QString::fromStdString(f.dialogs.messages().back()).startsWith("The transfer was stopped after "));
        QCOMPARE(cellText(c.window, 1, 1), QString("446.10000"));  // the table as it was
        QVERIFY(!f.state->session.Busy);
        QVERIFY(lockedWhileReading);
        QVERIFY(!closeBoxWhileReading);
        QVERIFY(f.window->windowHandle()->flags().testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(c.window->grid()->isEnabled());
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(c.window->grid()));
        QVERIFY(listBackups(backupFolder()).empty());
    }

    void aReadShowsTheChannelsBeforeItsMessage() {
        tarnsim::SimulatedRadio radio;
        test::loadChannel(radio, 2, "446.00625", "BASE");

        Fixture f;
        f.state->link->PortName = radio.path();
        OpenChannelWindow c(f);
        c.enterFrequency(1, "446.1");
        const std::size_t kept = listBackups(backupFolder()).size();
        QString shownAtMessage;
        f.dialogs.onMessage = [&](const std::string&) { shownAtMessage = cellText(c.window, 1, 2); };
        c.window->findChild<QPushButton*>(kReadButtonName)->click();
        QCOMPARE(shownAtMessage, QString("446.00625"));
        QCOMPARE(cellText(c.window, 12, 2), QString("BASE"));
        QCOMPARE(cellText(c.window, 1, 1), QString());
        QVERIFY(!c.window->editor().modified());
        // A copy of what was read is kept.
        const auto backups = listBackups(backupFolder());
        QCOMPARE(backups.size(), kept + 1);
        QCOMPARE(backups[0].channelsSet, 1);
        // The read is one undo step.
        QTest::keyClick(c.window->grid(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(cellText(c.window, 1, 1), QString("446.10000"));
        QCOMPARE(cellText(c.window, 1, 2), QString());
        // A write keeps a record of what it sent.
        c.window->findChild<QPushButton*>(kWriteButtonName)->click();
        const auto written = listBackups(backupFolder());
        QCOMPARE(written.size(), kept + 2);
        QVERIFY(written[0].origin == BackupOrigin::Written);
        QCOMPARE(written[0].channelsSet, 1);
    }

    void aWriteShowsWhatWillChangeAndIsVerified() {
        // No backups yet: nothing is known of the radio.
        QTemporaryDir data;
        const QByteArray saved = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", data.path().toUtf8());
        const auto restore = qScopeGuard([&] { qputenv("XDG_DATA_HOME", saved); });
        tarnsim::SimulatedRadio radio;
        test::loadChannel(radio, 2, "446.00625", "BASE");
        Fixture f;
        f.state->link->PortName = radio.path();
        OpenChannelWindow c(f);
        ScriptedReviews script{{ReviewAnswer::ReadFirst, ReviewAnswer::Write}, {}};
        reviewAndVerify(f, c.window, script);
        const std::vector<WriteReview>& reviews = script.reviews;
        c.enterFrequency(1, "446.1");
        c.window->findChild<QPushButton*>(kWriteButtonName)->click();
        // Nothing was known of the radio; a look at it shows what the write changes.
        QCOMPARE(reviews.size(), std::size_t{2});
        QVERIFY(reviews[0].kind == WriteReview::Kind::Unknown);
        QVERIFY(reviews[1].kind == WriteReview::Kind::Changes);
        QVERIFY(QString::fromStdString(reviews[1].source).startsWith("the radio, read at "));
        // A channel coming or going is one line each.
        QCOMPARE(reviews[1].changes,
                 (std::vector<std::string>{
                     "channel 1: new, 446.10000 / 446.10000, Off, Off, High, 25K, Off, Off, QT, Off, On",
                     "channel 2: emptied (was 446.00625 / 446.00625, Off, Off, Low, 12.5K, Off, Off, QT, "
                     "Off, Off, BASE)"}));
        QCOMPARE(cellText(c.window, 1, 2), QString());  // the look left the table alone
        QCOMPARE(f.window->statusBar()->currentMessage(), QString("Written and verified"));
        // The look, the write's record, and what the verify read back.
        const auto backups = listBackups(backupFolder());
        QCOMPARE(backups.size(), std::size_t{3});
        QVERIFY(backups[0].origin == BackupOrigin::Read);
        QVERIFY(backups[1].origin == BackupOrigin::Written);

        // Written again unchanged: the radio already holds it; Cancel sends nothing.
        const int sessions = radio.radio().sessionsHeard();
        c.window->findChild<QPushButton*>(kWriteButtonName)->click();
        QVERIFY(reviews.back().kind == WriteReview::Kind::NoChanges);
        QVERIFY(QString::fromStdString(reviews.back().source).startsWith("the last write, at "));
        QCOMPARE(radio.radio().sessionsHeard(), sessions);
    }

    void aVerifyThatFindsADifferenceNamesTheChannelAndTheNextReviewKnowsIt() {
        tarnsim::SimulatedRadio radio({.faults = test::faults({"corrupt:0x0020"})});
        Fixture f;
        f.state->link->PortName = radio.path();
        OpenChannelWindow c(f);
        ScriptedReviews script{{ReviewAnswer::ReadFirst, ReviewAnswer::Write}, {}};
        reviewAndVerify(f, c.window, script);
        const std::vector<WriteReview>& reviews = script.reviews;
        c.enterFrequency(1, "446.1");
        c.enterFrequency(2, "446.2");
        c.window->findChild<QPushButton*>(kWriteButtonName)->click();
        const std::string told = f.dialogs.messages().back();
        QVERIFY2(told.find("The radio does not hold what was written. 1 channel(s) differ:\nchannel 2: "
                           "RX Frequency(MHZ) wrote 446.20000, radio holds 446.20001") == 0,
                 told.c_str());
        QVERIFY(f.window->statusBar()->currentMessage() != QString("Written and verified"));

        // Written again: the review compares with what the radio was seen to hold.
        c.window->findChild<QPushButton*>(kWriteButtonName)->click();
        QCOMPARE(reviews.size(), std::size_t{3});
        QVERIFY(reviews[2].kind == WriteReview::Kind::Changes);
        QVERIFY(QString::fromStdString(reviews[2].source).startsWith("the radio, read back at "));
        QCOMPARE(reviews[2].changes,
                 std::vector<std::string>{"channel 2, RX Frequency(MHZ): 446.20001 -> 446.20000"});
    }

    // The write started from the keyboard with the focus in the grid, as Ctrl+Shift+W
    // does: Escape during its read-back stops it, and it is not called verified.
    void escapeStopsTheVerifyWhereverTheFocusIs() {
        tarnsim::SimulatedRadio radio;
        Fixture f(true, {}, {true});  // Yes to "Stop the transfer?"
        f.store->setValue("Preferences/verifyAfterWrite", "true");
        f.state->link->PortName = radio.path();
        OpenChannelWindow c(f);
        c.enterFrequency(1, "446.1");
        c.window->grid()->setFocus();
        auto* bar = c.window->findChild<QProgressBar*>(kProgressBarName);
        bool written = false;
        bool escaped = false;
        f.dialogs.onMessage = [&](const std::string& text) { written = written || text == "Translate data complete!"; };
        QTimer timer;
        QObject::connect(&timer, &QTimer::timeout, [&] {
            if (written && !escaped && bar->maximum() == 4416 && bar->value() >= 3 * 69) {
                escaped = true;
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            }
        });
        timer.start(2);
        QTest::keyClick(c.window->grid(), Qt::Key_W, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(escaped);
        QCOMPARE(f.dialogs.questions(), std::vector<std::string>{"Stop the transfer?"});
        QCOMPARE(f.window->statusBar()->currentMessage(),
                 QString("Written, not verified: the check was stopped"));
        QCOMPARE(f.dialogs.messages().back(), std::string("Translate data complete!"));
        QVERIFY(!f.state->session.Busy);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(c.window->grid()));
        // The next command's note is its own.
        c.window->findChild<QPushButton*>(kReadButtonName)->click();
        QCOMPARE(f.window->statusBar()->currentMessage(), QString());
    }
};

int main(int argc, char** argv) {
    return lumo::test::runWindowTests<ChannelTransferTest>(argc, argv);
}

#include "channel_transfer_test.moc"
