#include "cli/pdf_printers.h"

#include <QApplication>
#include <QPushButton>

#include "gui/channel_print.h"
#include "gui/settings_window.h"
#include "gui/widget_names.h"
#include "link/settings_store.h"
#include "shell/app_state.h"

namespace lumo::cli {
namespace {

// The Qt application a print call needs, on the offscreen platform by default.
class PrintingApplication {
private:
    static bool choosePlatform() {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        return true;
    }

    bool platformChosen_ = choosePlatform();  // before the application starts
    int argc_ = 1;
    char name_[9] = "lumo-cli";
    char* argv_[2] = {name_, nullptr};
    QApplication app_{argc_, argv_};
};

// Remembers the first thing the window would have told the user.
class CollectedDialogs final : public UserDialogs {
public:
    void showMessage(const std::string& text, const std::string&) override {
        if (!first.has_value()) {
            first = text;
        }
    }
    bool askYesNo(const std::string&, const std::string&) override { return false; }
    std::optional<std::string> first;
};

// Answers the window's open dialog with one file.
class OneFile final : public DocumentDialogs {
public:
    explicit OneFile(std::filesystem::path path) : path_(std::move(path)) {}
    std::optional<std::filesystem::path> chooseOpenFile(const FileDialogKind&) override { return path_; }
    std::optional<std::filesystem::path> chooseSaveFile(
        const FileDialogKind&, const std::filesystem::path& = {}) override {
        return std::nullopt;
    }
    SaveChangesAnswer askSaveChanges(const std::string&) override { return SaveChangesAnswer::Discard; }

private:
    std::filesystem::path path_;
};

std::optional<std::string> printChannelTable(const ChannelTable& table, const std::filesystem::path& pdf) {
    PrintingApplication app;
    return printToPdf(channelTableJob(table), pdf.string());
}

// The settings window after its Open button took `optw`, as Print sees it.
std::optional<std::string> printSettingsWindow(const std::filesystem::path& optw,
                                               const std::filesystem::path& pdf) {
    PrintingApplication app;
    CollectedDialogs dialogs;
    AppState state(dialogs, std::make_unique<MemorySettingsStore>());
    state.session.setUp();
    state.documents = std::make_unique<OneFile>(optw);
    SettingsWindow window(state);
    window.show();
    window.findChild<QPushButton*>(kOpenButtonName)->click();
    if (dialogs.first) {
        return dialogs.first;
    }
    QApplication::processEvents();
    return printToPdf(windowJob(window), pdf.string());
}

}  // namespace

DocumentPrinters pdfPrinters() {
    return {printChannelTable, printSettingsWindow};
}

}  // namespace lumo::cli
