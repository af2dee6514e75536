// The main window: menus, tool bar, status bar and the background behind the child windows.
#pragma once

#include <QActionGroup>
#include <QImage>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPixmap>
#include <QToolButton>
#include <array>
#include <filesystem>
#include <vector>

#include "gui/channel_print.h"
#include "gui/child_window.h"
#include "gui/keyboard_menus.h"
#include "shell/app_state.h"
#include "shell/command_routing.h"

namespace lumo {

class ChannelMenus;

// The client area, painting the background picture stretched over its full size.
class BackgroundArea final : public QMdiArea {
    Q_OBJECT
public:
    using QMdiArea::QMdiArea;
    void setPicture(QImage picture);
    bool hasPicture() const { return !picture_.isNull(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage picture_;
    QPixmap scaled_;
};

// The main window: menus, tool bar and status bar around the child windows.
class MainWindow final : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(AppState& state, const std::filesystem::path& programPath, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Runs a menu or tool-bar command exactly as a click would.
    void runCommand(MainCommand command);
    // Brings the one window of class T forward, or creates it at `at`.
    template <typename T>
    QMdiSubWindow* ShowChildWindow(QPoint at = {});
    // The Channel and Param tool buttons pressed while their windows are open.
    void showOpenWindows();
    void showTransferRunning(bool running);

    BackgroundArea* clientArea() const { return mdiArea_; }
    QLabel* statusPanel(int index) const { return panels_[static_cast<std::size_t>(index)]; }
    QAction* toolAction(int toolButton) const;
    QToolButton* toolButton(int toolButton) const;
    QAction* portItem(int position) const { return portItems_[static_cast<std::size_t>(position)]; }
    QAction* channelEntry() const { return channelEntry_; }
    QAction* paramEntry() const { return paramEntry_; }
    QMenu* portMenu() const { return portMenu_; }
    // The child window of a kind, or nullptr.
    ChildWindow* child(ChildKind kind) const;
    // Where Print sends its job; the default printer unless a test replaces it.
    void setPrintTarget(std::unique_ptr<PrintTarget> target) { printer_ = std::move(target); }
    // What Print would print now: the active child's job, or nothing. A pick still
    // shown in the child's option box is taken first, so the page shows what the user sees.
    std::optional<PrintJob> activePrintJob();
    void printPreview();
    void exportPdf();
    QAction* printPreviewEntry() const { return printPreview_; }
    QAction* exportPdfEntry() const { return exportPdf_; }
    ChannelMenus* channelMenus() const { return channelMenus_; }
    const KeyboardEntries& keyboardEntries() const { return keyboard_; }

signals:
    void shown();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void createMenus();
    void createToolBar();
    // The tool bar's pictures, drawn to stand out from its ground.
    void drawToolIcons();
    void createStatusBar();
    void applySession();
    void applyMenuCaptions();
    void applyPortChoice();
    void refreshPortMenu();
    void showPresentPorts();
    std::array<bool, kPortItemCount> presentItems() const;
    void portItemClicked(int position);
    void selectPort(int position, bool save);
    void openChannelWindow();
    void openParamWindow();
    bool ensureSession();
    void printActive();
    void setHint(const QString& hint);
    QMdiSubWindow* adoptChild(ChildWindow* child, QPoint at);

    AppState& state_;
    BackgroundArea* mdiArea_;
    std::array<QLabel*, 5> panels_{};
    std::array<QAction*, 9> portItems_{};
    QActionGroup* portGroup_ = nullptr;
    int checkedPort_ = 0;
    QAction* noPortEntry_ = nullptr;
    QAction* unnumberedSeparator_ = nullptr;
    std::vector<QAction*> unnumberedEntries_;
    bool firstShow_ = true;

    QMenu* fileMenu_ = nullptr;
    QMenu* editMenu_ = nullptr;
    QMenu* portMenu_ = nullptr;
    QMenu* helpMenu_ = nullptr;
    QAction* newEntry_ = nullptr;
    QAction* openEntry_ = nullptr;
    QAction* saveEntry_ = nullptr;
    QAction* saveAsEntry_ = nullptr;
    QAction* printEntry_ = nullptr;
    QAction* exitEntry_ = nullptr;
    QAction* printPreview_ = nullptr;
    QAction* exportPdf_ = nullptr;
    std::unique_ptr<PrintTarget> printer_ = std::make_unique<DefaultPrinter>();
    QAction* connectEntry_ = nullptr;
    QAction* channelEntry_ = nullptr;
    QAction* paramEntry_ = nullptr;
    QAction* helpEntry_ = nullptr;
    QAction* aboutEntry_ = nullptr;
    std::map<int, QAction*> toolActions_;
    ChannelMenus* channelMenus_ = nullptr;
    KeyboardEntries keyboard_;
};

template <typename T>
QMdiSubWindow* MainWindow::ShowChildWindow(QPoint at) {
    for (QMdiSubWindow* window : mdiArea_->subWindowList()) {
        if (window->widget() != nullptr && window->widget()->metaObject() == &T::staticMetaObject) {
            if (window->isMinimized()) {
                window->showNormal();
            } else {
                window->show();
            }
            window->move(at);
            window->raise();
            mdiArea_->setActiveSubWindow(window);
            window->widget()->setFocus();
            return window;
        }
    }
    return adoptChild(new T(state_), at);
}

}  // namespace lumo
