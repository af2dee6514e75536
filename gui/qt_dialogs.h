// Message boxes and Yes/No questions the user sees while the program talks to the radio.
#pragma once

#include <QMessageBox>
#include <QPointer>
#include <QWidget>

#include "base/user_dialogs.h"

namespace lumo {

// The caption of a message box that brings none of its own: the program's name.
inline constexpr char kMessageCaption[] = "lumo";

// Modal message boxes on the window thread. Called from a worker thread, the worker
// waits until the user has answered.
class QtDialogs final : public UserDialogs {
public:
    explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    void showMessage(const std::string& text, const std::string& caption) override;
    void showWarning(const std::string& text) override;
    bool askYesNo(const std::string& text, const std::string& detail) override;
    bool askQuestion(const std::string& text) override;
    bool confirm(const std::string& text) override;
    bool offer(const std::string& text, const std::string& action) override;

private:
    bool ask(QMessageBox::Icon icon, const std::string& text, const std::string& detail);

    QPointer<QWidget> parent_;
};

}  // namespace lumo
