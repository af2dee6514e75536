// lumo: the window program.
#include <QApplication>
#include <QCoreApplication>
#include <filesystem>

#include "shell/app_state.h"
#include "shell/main_f.h"
#include "shell/qt_dialogs.h"
#include "shell/qt_document_dialogs.h"
#include "shell/qt_settings_store.h"
#include "shell/splash.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName("Vantor");
    QApplication::setApplicationName("Lumo");
    QApplication::setApplicationDisplayName("lumo");

    lumo::QtDialogs dialogs;
    lumo::AppState state(dialogs, std::make_unique<lumo::QtSettingsStore>());
    auto documents = std::make_unique<lumo::QtDocumentDialogs>();
    lumo::QtDocumentDialogs* documentDialogs = documents.get();
    state.documents = std::move(documents);
    const std::filesystem::path program = QCoreApplication::applicationFilePath().toStdString();
    lumo::TForm1* mainWindow = lumo::runStartup(state, program);
    dialogs.setParent(mainWindow);
    documentDialogs->setParent(mainWindow);
    return QApplication::exec();
}
