#pragma once
// What the window tests share: a program folder with picture files, a store whose
// nine port numbers are all taken (com2 by a device that exists), and dialogs that
// answer from scripts.
#include <QApplication>
#include <QFile>
#include <QTest>
#include <QTemporaryDir>
#include <deque>
#include <memory>
#include <optional>
#include <string>

#include "gui/main_window.h"
#include "link/settings_store.h"
#include "shell/picture_file.h"
#include "tests/support/jpeg_maker.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/support/scripted_documents.h"

namespace lumo::test {

// A program folder with picture files, a store whose nine port numbers are all taken
// (com2 by a device that exists), and dialogs that answer from a script.
struct Fixture {
    explicit Fixture(bool withBackground = true, const std::optional<std::string>& title = {},
                     std::deque<bool> answers = {})
        : dialogs(std::move(answers)) {
        if (withBackground) {
            const auto packed = packPictureFile(test::makeJpeg(32, 20), title);
            QFile file(dir.filePath("bkg.dat"));
            file.open(QIODevice::WriteOnly);
            file.write(reinterpret_cast<const char*>(packed.data()),
                       static_cast<qint64>(packed.size()));
        }
        auto memory = std::make_unique<MemorySettingsStore>();
        for (int n = 1; n <= 9; ++n) {
            memory->setValue("PortMap/com" + std::to_string(n),
                             n == 2 ? "/dev/null" : "/nonexistent/tty" + std::to_string(n));
        }
        // The review before a write and the read-back after it are asked for by the
        // tests of them; the others write straight away, as before.
        memory->setValue("Preferences/reviewBeforeWrite", "false");
        memory->setValue("Preferences/verifyAfterWrite", "false");
        store = memory.get();
        // The machine's own serial ports stay out of the tests; a test plugs devices
        // into this list.
        state = std::make_unique<AppState>(dialogs, std::move(memory), LinkTimings{},
                                           [list = present] { return *list; });
        auto scripted = std::make_unique<ScriptedDocuments>();
        documents = scripted.get();
        state->documents = std::move(scripted);
        window = std::make_unique<MainWindow>(*state, dir.filePath("lumo").toStdString());
        window->show();
    }

    ChildWindow* open(MainCommand command) {
        window->runCommand(command);
        return window->child(command == MainCommand::Channel ? ChildKind::Channel
                                                             : ChildKind::Settings);
    }

    QTemporaryDir dir;
    std::shared_ptr<std::vector<PresentPort>> present = std::make_shared<std::vector<PresentPort>>();
    ScriptedDialogs dialogs;
    ScriptedDocuments* documents = nullptr;
    MemorySettingsStore* store = nullptr;
    std::unique_ptr<AppState> state;
    std::unique_ptr<MainWindow> window;
};

// Runs `body` as every window test runs: on the offscreen platform, with a settings
// and data folder of its own so the user's settings and backups stay out of it.
template <typename Body>
int runWithApplication(int argc, char** argv, Body body) {
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    QTemporaryDir data;  // backups of the tests' reads
    qputenv("XDG_DATA_HOME", data.path().toUtf8());
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setOrganizationName("Vantor");
    QApplication::setApplicationName("Lumo");
    return body();
}

// Runs a Qt Test object under runWithApplication.
template <typename Test>
int runWindowTests(int argc, char** argv) {
    return runWithApplication(argc, argv, [&] {
        Test test;
        return QTest::qExec(&test, argc, argv);
    });
}

}  // namespace lumo::test
