// The splash picture with its progress line, shown while the program starts.
#include "gui/splash_window.h"

#include <QApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>
#include <thread>

#include "gui/main_window.h"
#include "gui/widget_names.h"
#include "shell/command_routing.h"
#include "shell/picture_file.h"

namespace lumo {

SplashWindow::SplashWindow(AppState& state, const std::filesystem::path& programPath,
                         QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint), state_(state) {
    setObjectName(kSplashWindowName);
    setFixedSize(426, 268);
    auto* panel = new QFrame(this);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    // Its own light ground, so its own dark text too, whatever the palette.
    panel->setStyleSheet("QFrame { background: silver; color: black; }");
    panel->setGeometry(rect());
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(0);
    picture_ = new QLabel(panel);
    picture_->setFixedSize(422, 248);
    picture_->setScaledContents(true);
    label_ = new QLabel("Loading...", panel);
    label_->setFixedHeight(16);
    layout->addWidget(picture_);
    layout->addWidget(label_);

    ProbePorts(state_, programPath);
    try {
        const RgbImage image = LoadPictureFile(state_.AppDir, kSplashPicture, state_.strings);
        const QImage view(image.pixels.data(), image.width, image.height, image.width * 3,
                          QImage::Format_RGB888);
        picture_->setPixmap(QPixmap::fromImage(view.copy()));
        hasPicture_ = true;
    } catch (const PictureFileError& e) {
        state_.dialogs.showWarning(e.what());
    }

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    timer_.setInterval(10);
    connect(&timer_, &QTimer::timeout, this, &SplashWindow::tick);
    timer_.start();
}

void SplashWindow::tick() {
    dots_ += ".";
    label_->setText(
        QString::fromStdString(splashProgressText(SplashCounter, dots_, state_.strings.loading)));
}

void runSplashPasses(SplashWindow& splash) {
    splash.SplashCounter = 0;
    do {
        QApplication::processEvents();
        splash.SplashCounter += 2;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    } while (splash.SplashCounter <= 100);
}

MainWindow* createMainWindow(AppState& state, const std::filesystem::path& programPath) {
    auto* mainWindow = new MainWindow(state, programPath);
    mainWindow->setAttribute(Qt::WA_DeleteOnClose);
    return mainWindow;
}

MainWindow* showMainWindow(AppState& state, const std::filesystem::path& programPath) {
    MainWindow* mainWindow = createMainWindow(state, programPath);
    mainWindow->showMaximized();
    return mainWindow;
}

MainWindow* runStartup(AppState& state, const std::filesystem::path& programPath) {
    auto splash = std::make_unique<SplashWindow>(state, programPath);
    splash->show();
    splash->repaint();
    runSplashPasses(*splash);
    MainWindow* mainWindow = createMainWindow(state, programPath);
    // The splash is gone before the main window appears.
    splash->hide();
    splash.reset();
    mainWindow->showMaximized();
    return mainWindow;
}

}  // namespace lumo
