// Start-up of the window program under the offscreen platform: time from the start
// of main() to the main window shown, the part of it beyond the splash's own passes,
// and the peak memory once both child windows are open.
#include <sys/resource.h>

#include <QApplication>
#include <chrono>
#include <cstdio>
#include <memory>

#include "gui/channel_window.h"
#include "gui/main_window.h"
#include "gui/settings_window.h"
#include "gui/splash_window.h"
#include "shell/app_state.h"

namespace {

class SilentDialogs final : public lumo::UserDialogs {
public:
    void showMessage(const std::string& text, const std::string&) override {
        std::fprintf(stderr, "message: %s\n", text.c_str());
    }
    bool askYesNo(const std::string&, const std::string&) override { return false; }
};

double millisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

}  // namespace

int main(int argc, char** argv) {
    const auto start = std::chrono::steady_clock::now();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    SilentDialogs dialogs;
    lumo::AppState state(dialogs, std::make_unique<lumo::MemorySettingsStore>());
    // The picture files sit beside the program in build/bin.
    const std::filesystem::path program =
        std::filesystem::path(QCoreApplication::applicationDirPath().toStdString()) / ".." /
        "bin" / "lumo";

    auto splash = std::make_unique<lumo::SplashWindow>(state, program);
    splash->show();
    splash->repaint();
    const auto passesStart = std::chrono::steady_clock::now();
    lumo::runSplashPasses(*splash);
    const double passes = millisecondsSince(passesStart);
    lumo::MainWindow* window = lumo::showMainWindow(state, program);
    splash.reset();
    QApplication::processEvents();
    const double shown = millisecondsSince(start);

    window->runCommand(lumo::MainCommand::Channel);
    window->runCommand(lumo::MainCommand::Param);
    QApplication::processEvents();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);

    std::printf("main() to main window shown: %.1f ms\n", shown);
    std::printf("  of which the splash's 51 passes: %.1f ms\n", passes);
    std::printf("  beyond the passes: %.1f ms (target: at most 150 ms)\n", shown - passes);
    std::printf("peak memory with both child windows open: %.1f MiB\n",
                static_cast<double>(usage.ru_maxrss) / 1024.0);
    delete window;
    return shown - passes <= 150.0 ? 0 : 1;
}
