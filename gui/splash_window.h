// The splash picture with its progress line, shown while the program starts.
#pragma once

#include <QLabel>
#include <QTimer>
#include <QWidget>

#include "shell/app_state.h"

namespace lumo {

// The start-up splash: the picture of "Spl.dat" and a progress line.
class SplashWindow final : public QWidget {
    Q_OBJECT
public:
    SplashWindow(AppState& state, const std::filesystem::path& programPath,
                QWidget* parent = nullptr);

    // The start-up progress shown on the splash, 0 to 100 in steps of 2.
    unsigned SplashCounter = 0;
    QLabel* progressLabel() const { return label_; }
    bool hasPicture() const { return hasPicture_; }

private:
    void tick();

    AppState& state_;
    QLabel* picture_;
    QLabel* label_;
    QTimer timer_;
    std::string dots_;
    bool hasPicture_ = false;
};

// The steps of the program's start, apart so they can be timed.
void runSplashPasses(SplashWindow& splash);
class MainWindow;
MainWindow* createMainWindow(AppState& state, const std::filesystem::path& programPath);
MainWindow* showMainWindow(AppState& state, const std::filesystem::path& programPath);

// The program's start: the splash for 51 passes, then the main window. Returns the
// main window, shown maximised; the splash is gone by then.
MainWindow* runStartup(AppState& state, const std::filesystem::path& programPath);

}  // namespace lumo
