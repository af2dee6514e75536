// The window program lumo: its command line, the splash and the main window.
#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <filesystem>
#include <iostream>

#include "gui/appearance.h"
#include "gui/main_window.h"
#include "gui/qt_dialogs.h"
#include "gui/qt_document_dialogs.h"
#include "gui/qt_settings_store.h"
#include "gui/splash_window.h"
#include "lumo_version.h"
#include "shell/app_state.h"
#include "shell/lumo_options.h"
#include "shell/picture_check.h"
#include "shell/preferences.h"

namespace {

// The installed desktop entry, com.vantor.Lumo.desktop: the desktop matches the
// window to it, and so to its name and icon.
constexpr char kDesktopId[] = "com.vantor.Lumo";

std::filesystem::path programPath() {
    return QCoreApplication::applicationFilePath().toStdString();
}

}  // namespace

int main(int argc, char** argv) {
    // These are answered before any window system is reached, so they work without
    // a display (help2man and the package checks run them so).
    switch (lumo::lumoActionOf({argv + 1, argv + argc})) {
        case lumo::LumoAction::Help:
            std::cout << lumo::lumoUsage();
            return 0;
        case lumo::LumoAction::Version:
            std::cout << "lumo " << kLumoVersion << "\n";
            return 0;
        case lumo::LumoAction::CheckFiles: {
            // The program file is found as the window finds it: through a symbolic
            // link such as /usr/bin/lumo to the real file.
            const QCoreApplication core(argc, argv);
            return lumo::checkPictureFiles(lumo::programFolder(programPath()), std::cout) ? 0 : 1;
        }
        case lumo::LumoAction::Run:
            break;
    }

    QApplication app(argc, argv);
    QApplication::setOrganizationName("Vantor");
    QApplication::setApplicationName("Lumo");
    // No display name: Qt would append it to every window title, and the main
    // window's caption is its own text alone.
    QGuiApplication::setDesktopFileName(kDesktopId);

    lumo::QtDialogs dialogs;
    lumo::AppState state(dialogs, std::make_unique<lumo::QtSettingsStore>());
    // Before the first window, so none shows in the wrong look even for a moment.
    lumo::applyAppearance(lumo::loadPreferences(*state.store).appearance);
    auto documents = std::make_unique<lumo::QtDocumentDialogs>(*state.store);
    lumo::QtDocumentDialogs* documentDialogs = documents.get();
    state.documents = std::move(documents);
    lumo::MainWindow* mainWindow = lumo::runStartup(state, programPath());
    dialogs.setParent(mainWindow);
    documentDialogs->setParent(mainWindow);
    return QApplication::exec();
}
