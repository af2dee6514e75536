// Message boxes and Yes/No questions the user sees while the program talks to the radio.
#include "gui/qt_dialogs.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QThread>

namespace lumo {
namespace {

// Runs `task` on the window thread and waits for it.
template <typename Task>
void onWindowThread(Task task) {
    if (QThread::currentThread() == qApp->thread()) {
        task();
    } else {
        QMetaObject::invokeMethod(qApp, task, Qt::BlockingQueuedConnection);
    }
}

QString caption(const std::string& text) {
    return text.empty() ? QString(kMessageCaption) : QString::fromStdString(text);
}

}  // namespace

void QtDialogs::showMessage(const std::string& text, const std::string& title) {
    onWindowThread([&] {
        QMessageBox::information(parent_, caption(title), QString::fromStdString(text));
    });
}

void QtDialogs::showWarning(const std::string& text) {
    onWindowThread([&] { QMessageBox::warning(parent_, caption({}), QString::fromStdString(text)); });
}

bool QtDialogs::askYesNo(const std::string& text, const std::string& detail) {
    return ask(QMessageBox::Critical, text, detail);
}

bool QtDialogs::askQuestion(const std::string& text) {
    return ask(QMessageBox::Information, text, {});
}

bool QtDialogs::confirm(const std::string& text) {
    return ask(QMessageBox::Question, text, {});
}

bool QtDialogs::offer(const std::string& text, const std::string& action) {
    bool taken = false;
    onWindowThread([&] {
        QMessageBox box(QMessageBox::Question, caption({}), QString::fromStdString(text),
                        QMessageBox::Cancel, parent_);
        QPushButton* take = box.addButton(QString::fromStdString(action), QMessageBox::AcceptRole);
        box.setDefaultButton(QMessageBox::Cancel);
        box.exec();
        taken = box.clickedButton() == take;
    });
    return taken;
}

bool QtDialogs::ask(QMessageBox::Icon icon, const std::string& text, const std::string& detail) {
    bool yes = false;
    onWindowThread([&] {
        QMessageBox box(icon, caption({}), QString::fromStdString(text),
                        QMessageBox::Yes | QMessageBox::No, parent_);
        if (!detail.empty()) {
            box.setInformativeText(QString::fromStdString(detail));
        }
        yes = box.exec() == QMessageBox::Yes;
    });
    return yes;
}

}  // namespace lumo
