#include "shell/child_window.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "shell/window_flags.h"

namespace lumo {

ChildWindow::ChildWindow(AppState& state, ChildKind kind, QWidget* parent)
    : QWidget(parent), state_(state), kind_(kind) {
    auto* layout = new QVBoxLayout(this);
    Label31 = new QLabel(this);
    Label31->setObjectName("Label31");
    Label31->setStyleSheet("QLabel { background: #1d5c73; color: white; padding: 4px; }");
    layout->addWidget(Label31);
    body = new QWidget(this);
    layout->addWidget(body, 1);

    auto* progressRow = new QHBoxLayout;
    progressLabel = new QLabel(this);
    progressBar = new QProgressBar(this);
    progressBar->setTextVisible(false);
    progressRow->addWidget(progressLabel);
    progressRow->addWidget(progressBar, 1);
    layout->addLayout(progressRow);

    auto* buttons = new QHBoxLayout;
    auto makeButton = [&](const char* name) {
        auto* b = new QPushButton(this);
        b->setObjectName(name);
        buttons->addWidget(b);
        return b;
    };
    Button1 = makeButton("Button1");
    Button2 = makeButton("Button2");
    Button3 = makeButton("Button3");
    Button4 = makeButton("Button4");
    Button5 = makeButton("Button5");
    Button6 = makeButton("Button6");
    layout->addLayout(buttons);
    connect(Button6, &QPushButton::clicked, this, [this] {
        if (!state_.session.Busy) {
            close();
        }
    });
}

QPushButton* ChildWindow::button(ChildButton which) const {
    switch (which) {
        case ChildButton::Read: return Button1;
        case ChildButton::Write: return Button2;
        case ChildButton::New:
        case ChildButton::Default: return Button3;
        case ChildButton::Save: return Button4;
        case ChildButton::Open: return Button5;
        case ChildButton::Print:
        case ChildButton::None: return nullptr;
    }
    return nullptr;
}

void ChildWindow::showEvent(QShowEvent* event) {
    const LanguageStrings& s = state_.strings;
    progressLabel->setText(QString::fromStdString(s.progress));
    Button1->setText(QString::fromStdString(s.button1Read));
    Button2->setText(QString::fromStdString(s.button2Write));
    Button3->setText(QString::fromStdString(kind_ == ChildKind::Channel ? s.button3New
                                                                        : s.button3Default));
    Button4->setText(QString::fromStdString(s.button4Save));
    Button5->setText(QString::fromStdString(s.button5Open));
    Button6->setText(QString::fromStdString(s.button6Close));
    Label31->setText(titleText());
    setWindowTitle(titleText());
    QWidget::showEvent(event);
}

void ChildWindow::activated() {
    unsigned& flags = state_.session.WindowFlags;
    if (kind_ == ChildKind::Channel) {
        flags = channelWindowActivated(flags);
        if (setWindowButtons) {
            setWindowButtons(true);
        }
    } else {
        flags = settingsWindowActivated(flags);
    }
}

void ChildWindow::closeEvent(QCloseEvent* event) {
    if (state_.session.Busy) {
        event->ignore();
        return;
    }
    unsigned& flags = state_.session.WindowFlags;
    if (kind_ == ChildKind::Channel) {
        flags = channelWindowClosed(flags);
        if (setWindowButtons) {
            setWindowButtons(true);
        }
    } else {
        flags = settingsWindowClosed(flags);
    }
    event->accept();
    emit closed();
}

}  // namespace lumo
