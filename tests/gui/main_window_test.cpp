// The main window under the offscreen platform, with scripted dialogs.
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QScreen>
#include <QtTest>

#include "channels/channel_image.h"
#include "gui/channel_window.h"
#include "gui/main_window.h"
#include "gui/settings_window.h"
#include "gui/qt_settings_store.h"
#include "gui/splash_window.h"
#include "gui/widget_names.h"
#include "link/settings_store.h"
#include "shell/picture_file.h"
#include "sim/simulated_radio.h"
#include "tests/gui/gui_fixture.h"
#include "tests/support/jpeg_maker.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/support/sim_radio_setup.h"

using namespace lumo;
using lumo::test::Fixture;

Q_DECLARE_METATYPE(lumo::MainCommand)
Q_DECLARE_METATYPE(lumo::ChildKind)
Q_DECLARE_METATYPE(lumo::ChildButton)


class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void startsConfiguredWithCaptionsAndStatus() {
        Fixture f(true, "Bench caption");
        QCOMPARE(f.window->windowTitle(), QString("Bench caption"));
        const QStringList expected{"Connect state:", "connect", "Mode: ", "Tarn", ""};
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(f.window->statusPanel(i)->text(), expected[i]);
        }
        QVERIFY(f.window->channelEntry()->isEnabled());
        QCOMPARE(f.window->channelEntry()->text(), QString("Channel(&C)"));
        QCOMPARE(f.window->portMenu()->title(), QString("Port"));
        // The window's own size, as far as the screen it opens on holds it: on a small
        // screen (or at twice the pixels) the child windows scroll inside it instead.
        const QSize room = f.window->screen()->availableGeometry().size();
        const QSize least = f.window->minimumSize();
        QVERIFY(least.width() <= room.width() && least.height() <= room.height());
        QVERIFY(least.width() == 880 || least.width() > room.width() - 880 / 10);
        QVERIFY(least.height() == 668 || least.height() > room.height() - 668 / 10);
        f.window->resize(600, 400);
        QVERIFY(f.window->width() >= least.width() && f.window->height() >= least.height());

        Fixture plain;
        QCOMPARE(plain.window->windowTitle(), QString("Corvane lumo digital control!"));
    }

    void showsOnlyPresentPortsAndSavesClicks() {
        Fixture f;
        for (int position = 0; position < 9; ++position) {
            QCOMPARE(f.window->portItem(position)->isVisible(), position == 1);
        }
        QVERIFY(f.window->portItem(1)->isChecked());
        QCOMPARE(f.state->link->PortName, std::string("com2"));
        QVERIFY(!f.store->value("PortSet/portitm"));  // showing saves nothing
        QVERIFY(f.window->portItem(1)->toolTip().contains("/dev/null"));
        // Resting on an item must leave the status panels alone.
        QVERIFY(f.window->portItem(1)->statusTip().isEmpty());
        f.window->portItem(1)->trigger();
        QCOMPARE(f.store->value("PortSet/portitm").value_or(""), std::string("1"));
    }

    void portMenuFollowsTheHardwareAndWaitsForTransfers() {
        Fixture f;
        QMenu* menu = f.window->portMenu();
        QAction* none = nullptr;
        for (QAction* action : menu->actions()) {
            if (action->text() == "No serial port found") {
                none = action;
            }
        }
        QVERIFY(none && !none->isVisible() && !none->isEnabled());

        // A cable plugged in after start-up: all nine numbers were given out, so it
        // takes com1, whose device has been away the longest; com2 stays checked.
        f.present->push_back({"ttyUSB7", "/dev/fake/ttyUSB7", ""});
        emit menu->aboutToShow();
        QVERIFY(f.window->portItem(0)->isVisible());
        QCOMPARE(f.window->portItem(0)->toolTip(), QString("/dev/fake/ttyUSB7"));
        QVERIFY(f.window->portItem(1)->isChecked());

        // During a transfer neither a click nor the menu changes anything.
        f.state->session.Busy = true;
        f.window->portItem(0)->trigger();
        QVERIFY(f.window->portItem(1)->isChecked());
        QCOMPARE(f.state->link->PortName, std::string("com2"));
        QVERIFY(!f.store->value("PortSet/portitm"));
        f.present->clear();
        emit menu->aboutToShow();
        QVERIFY(f.window->portItem(0)->isVisible());
        QVERIFY(!f.window->portItem(0)->isEnabled());  // and visibly unavailable
        QVERIFY(!f.window->close());  // the close box too waits for the transfer
        QVERIFY(f.window->isVisible());
        f.state->session.Busy = false;

        f.present->push_back({"ttyUSB7", "/dev/fake/ttyUSB7", ""});
        emit menu->aboutToShow();
        QVERIFY(f.window->portItem(0)->isEnabled());
        f.window->portItem(0)->trigger();
        QCOMPARE(f.state->link->PortName, std::string("com1"));
        QCOMPARE(f.store->value("PortSet/portitm").value_or(""), std::string("0"));

        // Everything unplugged: one disabled entry says so.
        f.present->clear();
        f.store->setValue("PortPin/com2", "/nonexistent/pin");
        emit menu->aboutToShow();
        for (int position = 0; position < 9; ++position) {
            QVERIFY(!f.window->portItem(position)->isVisible());
        }
        QVERIFY(none->isVisible() && !none->isEnabled());
    }

    void routesCommandsToTheActiveChild_data() {
        QTest::addColumn<MainCommand>("command");
        QTest::addColumn<ChildKind>("active");
        QTest::addColumn<ChildButton>("button");
        QTest::newRow("New to channel") << MainCommand::New << ChildKind::Channel << ChildButton::New;
        QTest::newRow("New to settings is Default")
            << MainCommand::New << ChildKind::Settings << ChildButton::Default;
        QTest::newRow("Open") << MainCommand::Open << ChildKind::Settings << ChildButton::Open;
        QTest::newRow("Save As") << MainCommand::SaveAs << ChildKind::Channel << ChildButton::Save;
        QTest::newRow("Read") << MainCommand::Read << ChildKind::Channel << ChildButton::Read;
        QTest::newRow("Write") << MainCommand::Write << ChildKind::Settings << ChildButton::Write;
    }

    void routesCommandsToTheActiveChild() {
        QFETCH(MainCommand, command);
        QFETCH(ChildKind, active);
        QFETCH(ChildButton, button);
        Fixture f;
        ChildWindow* channel = f.open(MainCommand::Channel);
        ChildWindow* settings = f.open(MainCommand::Param);
        QVERIFY(channel && settings);
        QCOMPARE(f.state->session.WindowFlags, 7u);
        f.open(active == ChildKind::Channel ? MainCommand::Channel : MainCommand::Param);
        ChildWindow* target = active == ChildKind::Channel ? channel : settings;
        ChildWindow* other = active == ChildKind::Channel ? settings : channel;
        QSignalSpy pressed(target->button(button), &QPushButton::clicked);
        QSignalSpy otherPressed(other->button(button), &QPushButton::clicked);
        f.window->runCommand(command);
        QCOMPARE(pressed.count(), 1);
        QCOMPARE(otherPressed.count(), 0);

        // Nothing at all happens while a transfer runs.
        f.state->session.Busy = true;
        for (const MainCommand c : {MainCommand::New, MainCommand::Open, MainCommand::SaveAs,
                                    MainCommand::Read, MainCommand::Write, MainCommand::Exit}) {
            f.window->runCommand(c);
        }
        QCOMPARE(pressed.count(), 1);
        QVERIFY(f.window->isVisible());
        f.state->session.Busy = false;
    }

    void readWithoutChildAsksToSelectOne() {
        Fixture f;
        f.window->runCommand(MainCommand::Read);
        f.window->runCommand(MainCommand::New);  // silently nothing
        QCOMPARE(f.dialogs.messages(),
                 std::vector<std::string>{"First select the Edit menu:Channel(&C) Or Param(&O)!"});
    }

    void keepsOneWindowPerClassAndTheFlags() {
        Fixture f;
        f.open(MainCommand::Channel);
        QCOMPARE(f.state->session.WindowFlags, 10u);
        QVERIFY(f.window->toolAction(12)->isChecked());
        f.open(MainCommand::Channel);
        f.open(MainCommand::Param);
        f.open(MainCommand::Param);
        QCOMPARE(f.window->clientArea()->subWindowList().size(), 2);
        QCOMPARE(f.state->session.WindowFlags, 7u);
        QVERIFY(f.window->toolAction(13)->isChecked());

        ChildWindow* settings = f.window->child(ChildKind::Settings);
        f.state->session.Busy = true;
        settings->button(ChildButton::Save);  // present
        QVERIFY(!settings->parentWidget()->close());  // closing is refused while busy
        f.state->session.Busy = false;
        QVERIFY(settings->parentWidget()->close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(f.state->session.WindowFlags, 10u);
        QCOMPARE(f.window->clientArea()->subWindowList().size(), 1);

        f.window->child(ChildKind::Channel)->parentWidget()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(f.state->session.WindowFlags, 0u);
        QVERIFY(!f.window->toolAction(12)->isChecked());
        QVERIFY(!f.window->toolAction(13)->isChecked());
    }

    // Each of the Channel and Param tool buttons is pressed exactly while its window is
    // open, however the window opens or closes; pressing it again brings the window
    // forward and leaves it pressed.
    void toolButtonsArePressedWhileTheirWindowsAreOpen() {
        Fixture f;
        QAction* channelButton = f.window->toolAction(12);
        QAction* paramButton = f.window->toolAction(13);
        const auto closePicture = [&](ChildKind kind) {
            QTest::mouseClick(f.window->child(kind)->closePicture(), Qt::LeftButton);
        };
        const auto closeButton = [&](ChildKind kind) {
            QTest::mouseClick(f.window->child(kind)->findChild<QPushButton*>(kCloseButtonName),
                              Qt::LeftButton);
        };
        const struct {
            const char* what;
            std::function<void()> act;
            bool channel;  // the window open, its button pressed
            bool param;
            ChildKind active;
        } steps[] = {
            {"Channel", [&] { channelButton->trigger(); }, true, false, ChildKind::Channel},
            {"Param from the Edit menu", [&] { f.window->paramEntry()->trigger(); }, true, true,
             ChildKind::Settings},
            {"the pressed Channel", [&] { channelButton->trigger(); }, true, true, ChildKind::Channel},
            {"the pressed Param", [&] { paramButton->trigger(); }, true, true, ChildKind::Settings},
            {"Channel while a transfer runs",
             [&] {
                 f.state->session.Busy = true;
                 channelButton->trigger();
                 f.state->session.Busy = false;
             },
             true, true, ChildKind::Settings},
            {"the settings window's close picture", [&] { closePicture(ChildKind::Settings); }, true,
             false, ChildKind::Channel},
            {"Param", [&] { paramButton->trigger(); }, true, true, ChildKind::Settings},
            {"the channel window's Close", [&] { closeButton(ChildKind::Channel); }, false, true,
             ChildKind::Settings},
            {"Close Window (Ctrl+F4)", [&] { f.window->keyboardEntries().closeWindow->trigger(); },
             false, false, ChildKind::None},
            {"Channel from the Edit menu", [&] { f.window->channelEntry()->trigger(); }, true, false,
             ChildKind::Channel},
            {"the channel window's close picture", [&] { closePicture(ChildKind::Channel); }, false,
             false, ChildKind::None},
        };
        for (const auto& s : steps) {
            s.act();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QVERIFY2((f.window->child(ChildKind::Channel) != nullptr) == s.channel, s.what);
            QVERIFY2((f.window->child(ChildKind::Settings) != nullptr) == s.param, s.what);
            QVERIFY2(channelButton->isChecked() == s.channel, s.what);
            QVERIFY2(paramButton->isChecked() == s.param, s.what);
            QVERIFY2(f.window->toolButton(12)->isChecked() == s.channel, s.what);
            QMdiSubWindow* active = f.window->clientArea()->activeSubWindow();
            QVERIFY2((active == nullptr ? nullptr : active->widget()) == f.window->child(s.active), s.what);
        }
    }

    void hintLineFollowsTheMouse() {
        Fixture f;
        QToolButton* read = f.window->toolButton(6);
        QVERIFY(read);
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
        QCoreApplication::sendEvent(read, &enter);
        QCOMPARE(f.window->statusPanel(4)->text(), QString("|Read"));
        QMouseEvent move(QEvent::MouseMove, QPointF(500, 5), QPointF(500, 5), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(read->parentWidget(), &move);
        QCOMPARE(f.window->statusPanel(4)->text(), QString());
    }

    void lateSetUpWhenTheBackgroundIsMissing() {
        Fixture f(false, {}, {false, true});
        QCOMPARE(f.dialogs.messages().size(), 1u);  // the picture error
        QVERIFY(f.dialogs.messages()[0].find("bkg.dat") != std::string::npos);
        QCOMPARE(f.window->statusPanel(1)->text(), QString());
        QVERIFY(!f.window->channelEntry()->isEnabled());

        f.window->toolAction(12)->trigger();  // No
        QVERIFY(!f.window->child(ChildKind::Channel));
        f.window->toolAction(12)->trigger();  // Yes
        QVERIFY(f.window->child(ChildKind::Channel));
        QCOMPARE(f.dialogs.questions(), (std::vector<std::string>{"Device no connect,connect now?",
                                                                  "Device no connect,connect now?"}));
        // A question, not an error.
        QCOMPARE(f.dialogs.informationQuestions(), f.dialogs.questions());
        QCOMPARE(f.dialogs.messages().back(),
                 std::string("Device Tarn been detect!Band Limits[440-451Mhz]"));
        QCOMPARE(f.window->statusPanel(1)->text(), QString());
        QVERIFY(!f.window->channelEntry()->isEnabled());
        QCOMPARE(f.window->child(ChildKind::Channel)->windowTitle(),
                 QString("Tarn[440-451Mhz] Channel config"));
    }

    void channelReadRunsBesideTheWindow() {
        tarnsim::SimulatedRadio radio;
        test::loadChannel(radio, 1, "446.00625", "PMR1");

        Fixture f;
        f.state->link->PortName = radio.path();
        auto* window = static_cast<ChannelWindow*>(f.open(MainCommand::Channel));
        // A timer fires while the transfer runs: the window thread is not blocked.
        int ticks = 0;
        QTimer timer;
        QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
        timer.start(5);
        f.window->runCommand(MainCommand::Read);
        QVERIFY(ticks > 0);
        QVERIFY(!f.state->session.Busy);
        QCOMPARE(f.dialogs.messages(), std::vector<std::string>{"Recive data complete!"});
        QCOMPARE(window->grid()->model()->index(0, 1).data().toString(), QString("446.00625"));
        QCOMPARE(window->grid()->model()->index(0, 12).data().toString(), QString("PMR1"));
        QCOMPARE(window->grid()->model()->rowCount(), 99);
    }

    void splashShowsPictureAndCountsDots() {
        Fixture f;
        const auto packed = packPictureFile(test::makeJpeg(40, 30), std::nullopt);
        QFile file(f.dir.filePath("Spl.dat"));
        file.open(QIODevice::WriteOnly);
        file.write(reinterpret_cast<const char*>(packed.data()), static_cast<qint64>(packed.size()));
        file.close();
        SplashWindow splash(*f.state, f.dir.filePath("lumo").toStdString());
        QCOMPARE(splash.size(), QSize(426, 268));
        QVERIFY(splash.windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(splash.hasPicture());
        QCOMPARE(splash.progressLabel()->text(), QString("Loading..."));
        // Each 10 ms tick adds a dot after the counter and the four fixed dots.
        QTRY_VERIFY(splash.progressLabel()->text().startsWith("Loading 0%....."));
        const qsizetype early = splash.progressLabel()->text().size();
        splash.SplashCounter = 40;
        QTRY_VERIFY(splash.progressLabel()->text().startsWith("Loading 40%....."));
        QVERIFY(splash.progressLabel()->text().size() > early);
    }

    void splashIsGoneBeforeTheMainWindowShows() {
        Fixture f;
        // Records, as the main window is shown, whether a splash still exists.
        struct Watch : QObject {
            int shows = 0;
            bool splashAround = false;
            bool eventFilter(QObject* watched, QEvent* event) override {
                if (event->type() == QEvent::Show && qobject_cast<MainWindow*>(watched)) {
                    ++shows;
                    for (QWidget* widget : QApplication::topLevelWidgets()) {
                        splashAround = splashAround || qobject_cast<SplashWindow*>(widget);
                    }
                }
                return false;
            }
        } watch;
        qApp->installEventFilter(&watch);
        std::unique_ptr<MainWindow> window(runStartup(*f.state, f.dir.filePath("lumo").toStdString()));
        qApp->removeEventFilter(&watch);
        QCOMPARE(watch.shows, 1);
        QVERIFY(!watch.splashAround);
        QVERIFY(window->isVisible());
    }

    void qtStoreAndCommandLineStoreShareTheFile() {
        {
            QtSettingsStore qt;
            qt.setValue("PortSet/portitm", "4");
            qt.setValue("PortMap/com3", "/dev/serial/by-id/usb-Bench_Cable-if00-port0");
        }
        IniSettingsStore ini(userSettingsFile());
        QCOMPARE(ini.value("PortSet/portitm").value_or(""), std::string("4"));
        QCOMPARE(ini.value("PortMap/com3").value_or(""),
                 std::string("/dev/serial/by-id/usb-Bench_Cable-if00-port0"));
        ini.setValue("PortMap/com4", "/dev/ttyACM0");
        QtSettingsStore reread;
        QCOMPARE(reread.value("PortMap/com4").value_or(""), std::string("/dev/ttyACM0"));
        QCOMPARE(reread.keysIn("PortMap"), (std::vector<std::string>{"com3", "com4"}));
    }
};

int main(int argc, char** argv) {
    return lumo::test::runWindowTests<MainWindowTest>(argc, argv);
}

#include "main_window_test.moc"
