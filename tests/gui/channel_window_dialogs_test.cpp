// What the channel and settings windows' dialogs show: Set column's words for the
// channels it sets and the answer it remembers, and the name Save proposes for data
// that came from a backup or a template rather than a file.
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>

#include "channels/channel_image.h"
#include "channels/channel_templates.h"
#include "channels/image_file.h"
#include "gui/settings_window.h"
#include "gui/widget_names.h"
#include "tests/gui/channel_window_helpers.h"
#include "tests/gui/gui_fixture.h"
#include "tests/support/test_files.h"

using namespace lumo;
using namespace lumo::test;

namespace {

// The Set column dialog as the user sees it.
struct SetColumnDialog {
    explicit SetColumnDialog(QWidget* modal) : dialog(modal) {
        for (auto* box : dialog->findChildren<QComboBox*>()) {
            if (box->accessibleName() == "Value") {
                entries = box;
            } else if (box->accessibleName() == "TX frequency") {
                txWay = box;
            } else {
                column = box;
            }
        }
        megahertz = findNamed<QLineEdit>("MHz");
        name = findNamed<QLineEdit>("Name");
    }
    template <typename W>
    W* findNamed(const QString& accessibleName) const {
        for (auto* widget : dialog->findChildren<W*>()) {
            if (widget->accessibleName() == accessibleName) {
                return widget;
            }
        }
        return nullptr;
    }
    QString heading() const {
        for (auto* label : dialog->findChildren<QLabel*>()) {
            if (label->text().startsWith("Channel")) {
                return label->text();
            }
        }
        return {};
    }
    // "TX Power: Low", "TX Frequency(MHZ): RX - offset 0.6", "CH-Name: HOME".
    QString shown() const {
        QString value = entries->currentText();
        if (txWay->isVisible()) {
            value = txWay->currentText() + " " + megahertz->text();
        } else if (name->isVisible()) {
            value = name->text();
        }
        return column->currentText() + ": " + value;
    }
    void choose(const QString& title) const { column->setCurrentIndex(column->findText(title)); }
    void accept() const {
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    }

    QWidget* dialog;
    QComboBox* column = nullptr;
    QComboBox* entries = nullptr;
    QComboBox* txWay = nullptr;
    QLineEdit* megahertz = nullptr;
    QLineEdit* name = nullptr;
};

}  // namespace

class ChannelWindowDialogsTest : public QObject {
    Q_OBJECT

private slots:
    // The dialog names the channels as a sentence would, and opens on the column and
    // value it was last answered with in this window, set or not.
    void setColumnNamesItsChannelsAndOpensOnTheLastAnswer() {
        Fixture f;
        OpenChannelWindow c(f);
        for (const int row : {3, 5, 9, 10, 11, 12}) {
            c.enterFrequency(row, "446.1");
        }
        const struct {
            std::vector<int> picked;  // none: channel 9, the current one
            const char* heading;
            const char* shownOnOpening;
            std::function<void(const SetColumnDialog&)> answer;  // none: Escape
        } openings[] = {
            {{}, "Channel 9", "TX Power: High",
             [](const SetColumnDialog& d) {
                 d.choose("TX Frequency(MHZ)");
                 d.txWay->setCurrentIndex(2);  // RX - offset
                 d.megahertz->setText("0.6");
                 d.accept();
             }},
            {{9, 10, 11, 12}, "Channels 9-12", "TX Frequency(MHZ): RX - offset 0.6", nullptr},
            {{3, 5, 9, 10, 11, 12}, "Channels 3, 5, 9-12", "TX Frequency(MHZ): RX - offset 0.6",
             [](const SetColumnDialog& d) {
                 d.choose("CH-Name");
                 d.name->setText("HOME");
                 d.accept();
             }},
            {{3, 5}, "Channels 3, 5", "CH-Name: HOME",
             [](const SetColumnDialog& d) {
                 d.choose("TX Power");
                 d.entries->setCurrentIndex(d.entries->findText("Low"));
                 d.accept();
             }},
            {{12}, "Channel 12", "TX Power: Low", nullptr},
        };
        for (const auto& o : openings) {
            c.window->grid()->moveTo(1, 9);
            c.window->edits().selection().set(o.picked);
            QString heading;
            QString shown;
            bool opened = false;
            QTimer::singleShot(0, [&] {
                QWidget* modal = QApplication::activeModalWidget();
                if (modal == nullptr) {
                    return;
                }
                opened = true;
                const SetColumnDialog dialog(modal);
                heading = dialog.heading();
                shown = dialog.shown();
                if (o.answer) {
                    o.answer(dialog);
                } else {
                    QTest::keyClick(modal, Qt::Key_Escape);
                }
            });
            c.window->runEdit(EditCommand::SetColumn);
            QVERIFY2(opened, o.heading);
            QCOMPARE(heading, QString(o.heading));
            QCOMPARE(shown, QString(o.shownOnOpening));
        }
        // The answers reached the channels.
        QCOMPARE(cellText(c.window, 2, 9), QString("445.50000"));
        QCOMPARE(cellText(c.window, 12, 12), QString("HOME"));
        QCOMPARE(cellText(c.window, 5, 3), QString("Low"));
        QCOMPARE(cellText(c.window, 5, 9), QString("High"));
    }

    // Saving what came from a backup or a template must not overwrite the file last
    // opened or saved: Save proposes a name of its own instead.
    void saveAfterABackupOrATemplateProposesANewName() {
        Fixture f;
        OpenChannelWindow c(f);
        TempDir dir;
        ChannelTable held;
        held.setCell(1, 1, "446.00625");
        MemoryImage image = blankMemoryImage();
        StoreGridToImage(held, image);
        writeImageFile(dir / "backup.img", image);
        writeTextFile(dir / "template.csv", "Location,Frequency\r\n1,446.1\r\n");
        const std::filesystem::path saved = dir / "mine.chnw";

        auto* settings = static_cast<SettingsWindow*>(f.open(MainCommand::Param));
        const std::filesystem::path settingsFile = dir / "mine.optw";
        const auto press = [](QWidget* window, const char* button) {
            window->findChild<QPushButton*>(button)->click();
        };
        const struct {
            const char* what;
            std::function<void()> act;
            QWidget* window;
            std::filesystem::path proposed;
        } steps[] = {
            {"channels saved",
             [&] {
                 f.documents->saveAnswers = {saved};
                 press(c.window, kSaveButtonName);
             },
             c.window, saved},
            {"a channel backup", [&] { c.window->openBackup(dir / "backup.img"); }, c.window,
             "channels-restored.chnw"},
            {"saved again",
             [&] {
                 f.documents->saveAnswers = {saved};
                 press(c.window, kSaveButtonName);
             },
             c.window, saved},
            {"the PMR446 template", [&] { c.window->newFromTable(pmr446Table(f.state->strings)); },
             c.window, "channels-new.chnw"},
            {"a template file", [&] { c.window->newFromTemplateFile(dir / "template.csv"); }, c.window,
             "channels-new.chnw"},
            {"settings saved",
             [&] {
                 f.documents->saveAnswers = {settingsFile};
                 press(settings, kSaveButtonName);
             },
             settings, settingsFile},
            {"a settings backup", [&] { settings->openBackup(settingsFile); }, settings,
             "settings-restored.optw"},
        };
        for (const auto& s : steps) {
            s.act();
            f.documents->saveAnswers.clear();  // the next Save is cancelled
            press(s.window, kSaveButtonName);
            QVERIFY2(f.documents->proposed.back() == s.proposed, s.what);
        }
        QCOMPARE(cellText(c.window, 1, 1), QString("446.10000"));  // the template file's
    }
};

int main(int argc, char** argv) {
    return lumo::test::runWindowTests<ChannelWindowDialogsTest>(argc, argv);
}

#include "channel_window_dialogs_test.moc"
