#pragma once

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QWidget>
#include <functional>

#include "shell/app_state.h"
#include "shell/command_routing.h"

namespace lumo {

// What the channel and settings windows share: the title strip text, the common
// buttons (Button1 Read ... Button6 Close), the progress line, and the WindowFlags
// protocol on activation and closing.
class ChildWindow : public QWidget {
    Q_OBJECT
public:
    ChildWindow(AppState& state, ChildKind kind, QWidget* parent = nullptr);

    ChildKind kind() const { return kind_; }
    // The button a routed command presses; nullptr for none.
    QPushButton* button(ChildButton which) const;

    // Called by the main window when this window becomes the active child.
    void activated();

    // The main window's tool-bar update, called on activation and closing.
    std::function<void(bool down)> setWindowButtons;

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // The window's title, shown on its title strip.
    virtual QString titleText() const = 0;

    AppState& state_;
    QLabel* Label31;  // title strip text
    QWidget* body;    // what each window shows below the strip
    QPushButton* Button1;
    QPushButton* Button2;
    QPushButton* Button3;
    QPushButton* Button4;
    QPushButton* Button5;
    QPushButton* Button6;
    QLabel* progressLabel;
    QProgressBar* progressBar;

private:
    ChildKind kind_;
};

}  // namespace lumo
