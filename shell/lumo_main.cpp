// lumo: the window program.
#include <QApplication>
#include <QCoreApplication>
#include <filesystem>

#include "shell/app_state.h"
#include "shell/main_f.h"
#include "shell/qt_dialogs.h"
#include "shell/qt_settings_store.h"
#include "shell/splash.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName("Vantor");
    QApplication::setApplicationName("Lumo");
    QApplication::setApplicationDisplayName("lumo");

    lumo::QtDialogs dialogs;
    lumo::AppState state(dialogs, std::make_unique<lumo::QtSettingsStore>());
    const std::filesystem::path program = QCoreApplication::applicationFilePath().toStdString();
    lumo::TForm1* mainWindow = lumo::runStartup(state, program);
    dialogs.setParent(mainWindow);
    return QApplication::exec();
}
