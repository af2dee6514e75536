// The child window frame: title strip, common buttons and progress line of both editors.
#pragma once

#include <QLabel>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QWidget>
#include <functional>
#include <vector>

#include "shell/app_state.h"
#include "shell/command_routing.h"
#include "shell/write_flow.h"

namespace lumo {

inline constexpr const char* kStopTransferQuestion = "Stop the transfer?";

// What the channel and settings windows share: the frame (a title strip of pictures
// with the title on it, by which the window is dragged and closed, and a rounded
// outline), the common buttons (Read, Write, New or Default, Save, Open, Close), the
// progress line, and the WindowFlags protocol on activation and closing.
class ChildWindow : public QWidget {
    Q_OBJECT
public:
    ChildWindow(AppState& state, ChildKind kind, QWidget* parent = nullptr);

    ChildKind kind() const { return kind_; }
    // The button a routed command presses; nullptr for none.
    QPushButton* button(ChildButton which) const;
    QLabel* titleLabel() const { return titleLabel_; }
    QLabel* dragArea() const { return dragArea_; }
    QLabel* closePicture() const { return closePicture_; }

    // Called by the main window when this window becomes the active child.
    void activated();
    // The sub-window this window lives in, or the window itself when it has none.
    QWidget* frame();

    // The main window's tool-bar update, called on activation and closing.
    std::function<void(bool down)> setWindowButtons;
    // A short note in the main window's status bar ("Written and verified").
    std::function<void(const QString& text)> tellStatus;
    // The main window's look while one of its children runs a transfer.
    std::function<void(bool running)> transferRunning;

    // Hands a change the user has made but not yet confirmed (a pick shown in an option
    // box) to the window's table, before the table is printed, saved or closed.
    virtual void commitPendingPick() {}

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The window's title, shown on its title strip.
    virtual QString titleText() const = 0;
    // Whether the window may close now; a window with unsaved work asks here.
    virtual bool mayClose() { return true; }

    // The Close button and the close picture: closes and destroys the window, frame included,
    // unless a transfer runs.
    void closeWindow();
    // Runs a transfer with the window's body disabled, visibly, so nothing in it can be
    // changed while the transfer owns the data. Escape, wherever the focus is, asks
    // whether to stop it. The focus goes back where it was afterwards.
    bool runLocked(const std::function<bool()>& transfer);
    // Escape during a transfer: on Yes, stopTransfer().
    void askToStopTransfer();
    // Stops the window's transfer after the block in progress.
    virtual void stopTransfer() {}
    // What the window lends its write flow: the review it shows, the status bar, the
    // lock around each session and the backups.
    WriteFlowFrontEnd flowFrontEnd(std::function<ReviewAnswer(const WriteReview&)> review);
    // Tab goes as the eye reads: through `bodyInOrder`, then the buttons below it.
    // The body is built after the buttons, so creation order would put it last.
    void chainFocus(const std::vector<QWidget*>& bodyInOrder);

    AppState& state_;
    QWidget* titleStrip;  // Panel2 in the channel window, Panel8 in the settings window
    QLabel* stripLeft_;     // left end of the strip
    QLabel* dragArea_;      // the strip's middle
    QLabel* closePicture_;
    QLabel* titleLabel_;    // title text
    QWidget* body;        // what each window shows below the strip
    QPushButton* readButton_;
    QPushButton* writeButton_;
    QPushButton* resetButton_;  // New in the channel window, Default in the settings window
    QPushButton* saveButton_;
    QPushButton* openButton_;
    QPushButton* closeButton_;
    QLabel* progressLabel;
    QProgressBar* progressBar;

private:
    // The strip's pictures at the screen's own resolution.
    void drawTitleStrip();

    ChildKind kind_;
    bool dragging_ = false;
    QPoint dragOffset_;
};

}  // namespace lumo
