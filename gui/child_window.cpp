// The child window frame: title strip, common buttons and progress line of both editors.
#include "gui/child_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QPointer>
#include <QVBoxLayout>

#include "gui/stop_key.h"
#include "gui/title_strip.h"
#include "gui/widget_names.h"
#include "shell/window_flags.h"

namespace lumo {

ChildWindow::ChildWindow(AppState& state, ChildKind kind, QWidget* parent)
    : QWidget(parent), state_(state), kind_(kind) {
    setFont(childWindowFont());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    titleStrip = new QWidget(this);
    titleStrip->setObjectName(kind == ChildKind::Channel ? kChannelTitleStripName
                                                          : kSettingsTitleStripName);
    titleStrip->setFixedHeight(kTitleStripHeight);
    auto* strip = new QHBoxLayout(titleStrip);
    strip->setContentsMargins(0, 0, 0, 0);
    strip->setSpacing(0);
    stripLeft_ = new QLabel(titleStrip);
    stripLeft_->setObjectName(kStripLeftName);
    dragArea_ = new QLabel(titleStrip);
    dragArea_->setObjectName(kDragAreaName);
    dragArea_->setScaledContents(true);
    dragArea_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    closePicture_ = new QLabel(titleStrip);
    closePicture_->setObjectName(kClosePictureName);
    closePicture_->setCursor(Qt::PointingHandCursor);
    // A picture that acts as a button: a screen reader must still say what it does.
    closePicture_->setAccessibleName("Close");
    closePicture_->setAccessibleDescription("Closes the window, as its Close button does");
    strip->addWidget(stripLeft_);
    strip->addWidget(dragArea_, 1);
    strip->addWidget(closePicture_);
    auto* titleLayout = new QHBoxLayout(dragArea_);
    titleLayout->setContentsMargins(4, 0, 4, 0);
    titleLabel_ = new QLabel(dragArea_);
    titleLabel_->setObjectName(kTitleLabelName);
    titleLabel_->setAttribute(Qt::WA_TranslucentBackground);
    titleLabel_->setStyleSheet("QLabel { background: transparent; color: white; font-weight: bold; }");
    titleLayout->addWidget(titleLabel_);
    for (QWidget* w : {static_cast<QWidget*>(dragArea_), static_cast<QWidget*>(titleLabel_),
                       static_cast<QWidget*>(closePicture_)}) {
        w->installEventFilter(this);
    }
    layout->addWidget(titleStrip);
    drawTitleStrip();

    auto* content = new QVBoxLayout;
    content->setContentsMargins(10, 6, 10, 6);
    content->setSpacing(6);
    body = new QWidget(this);
    content->addWidget(body, 1);

    // The channel window has its progress line and buttons in one row under the grid;
    // the narrower settings window puts the buttons under the progress line.
    auto* row = new QHBoxLayout;
    auto* buttonRow = kind == ChildKind::Channel ? row : new QHBoxLayout;
    progressLabel = new QLabel(this);
    progressLabel->setObjectName(kind == ChildKind::Channel ? kChannelProgressLabelName
                                                             : kSettingsProgressLabelName);
    progressBar = new QProgressBar(this);
    progressBar->setObjectName(kProgressBarName);
    progressBar->setTextVisible(false);
    progressBar->setFixedHeight(16);
    progressBar->setAccessibleDescription("How far the transfer with the radio has come");
    progressLabel->setBuddy(progressBar);
    row->addWidget(progressLabel);
    row->addWidget(progressBar, 1);
    auto makeButton = [&](const char* name) {
        auto* b = new QPushButton(this);
        b->setObjectName(name);
        buttonRow->addWidget(b);
        return b;
    };
    readButton_ = makeButton(kReadButtonName);
    writeButton_ = makeButton(kWriteButtonName);
    resetButton_ = makeButton(kResetButtonName);
    saveButton_ = makeButton(kSaveButtonName);
    openButton_ = makeButton(kOpenButtonName);
    closeButton_ = makeButton(kCloseButtonName);
    content->addLayout(row);
    if (buttonRow != row) {
        content->addLayout(buttonRow);
    }
    layout->addLayout(content, 1);
    connect(closeButton_, &QPushButton::clicked, this, &ChildWindow::closeWindow);
}

bool ChildWindow::runLocked(const std::function<bool()>& transfer) {
    QPointer<QWidget> focus = QApplication::focusWidget();
    if (focus != nullptr && !body->isAncestorOf(focus)) {
        focus = nullptr;
    }
    body->setEnabled(false);
    if (focus != nullptr) {
        setFocus();  // the focus may not stay on a disabled widget, nor leave the window
    }
    const StopKey stopKey([this] { askToStopTransfer(); });
    if (transferRunning) {
        transferRunning(true);
    }
    const auto unlock = [&] {
        if (transferRunning) {
            transferRunning(false);
        }
        body->setEnabled(true);
        if (focus != nullptr && focus->isVisible()) {
            focus->setFocus();
        }
    };
    try {
        const bool result = transfer();
        unlock();
        return result;
    } catch (...) {
        unlock();
        throw;
    }
}

void ChildWindow::askToStopTransfer() {
    if (state_.session.Busy && state_.dialogs.confirm(kStopTransferQuestion)) {
        stopTransfer();
    }
}

WriteFlowFrontEnd ChildWindow::flowFrontEnd(std::function<ReviewAnswer(const WriteReview&)> review) {
    WriteFlowFrontEnd frontEnd;
    frontEnd.review = std::move(review);
    frontEnd.status = [this](const std::string& text) {
        if (tellStatus) {
            tellStatus(QString::fromStdString(text));
        }
    };
    frontEnd.session = [this](const std::function<bool()>& work) { return runLocked(work); };
    frontEnd.keepBackup = [this](BackupKind kind, std::string_view content, BackupOrigin origin) {
        state_.keepBackup(kind, content, origin);
    };
    return frontEnd;
}

void ChildWindow::chainFocus(const std::vector<QWidget*>& bodyInOrder) {
    QWidget* previous = nullptr;
    const auto follow = [&](QWidget* next) {
        if (previous != nullptr) {
            setTabOrder(previous, next);
        }
        previous = next;
    };
    for (QWidget* widget : bodyInOrder) {
        follow(widget);
    }
    for (QWidget* button :
         {readButton_, writeButton_, resetButton_, saveButton_, openButton_, closeButton_}) {
        follow(button);
    }
}

void ChildWindow::drawTitleStrip() {
    const qreal ratio = devicePixelRatioF();
    if (!stripLeft_->pixmap().isNull() && stripLeft_->pixmap().devicePixelRatio() == ratio) {
        return;
    }
    stripLeft_->setPixmap(titleStripLeft(ratio));
    dragArea_->setPixmap(titleStripMiddle(ratio));
    closePicture_->setPixmap(titleStripClose(ratio));
}

QPushButton* ChildWindow::button(ChildButton which) const {
    switch (which) {
        case ChildButton::Read: return readButton_;
        case ChildButton::Write: return writeButton_;
        case ChildButton::New:
        case ChildButton::Default: return resetButton_;
        case ChildButton::Save: return saveButton_;
        case ChildButton::Open: return openButton_;
        case ChildButton::Print:
        case ChildButton::None: return nullptr;
    }
    return nullptr;
}

QWidget* ChildWindow::frame() {
    if (auto* window = qobject_cast<QMdiSubWindow*>(parentWidget())) {
        return window;
    }
    return this;
}

void ChildWindow::showEvent(QShowEvent* event) {
    const LanguageStrings& s = state_.strings;
    progressLabel->setText(QString::fromStdString(s.progress));
    progressBar->setAccessibleName(progressLabel->text());
    readButton_->setText(QString::fromStdString(s.button1Read));
    writeButton_->setText(QString::fromStdString(s.button2Write));
    resetButton_->setText(QString::fromStdString(kind_ == ChildKind::Channel ? s.button3New
                                                                        : s.button3Default));
    saveButton_->setText(QString::fromStdString(s.button4Save));
    openButton_->setText(QString::fromStdString(s.button5Open));
    closeButton_->setText(QString::fromStdString(s.button6Close));
    const QString what = kind_ == ChildKind::Channel ? "channel table" : "function settings";
    readButton_->setAccessibleDescription("Reads the " + what + " from the radio");
    writeButton_->setAccessibleDescription("Writes the " + what + " to the radio");
    titleLabel_->setText(titleText());
    setWindowTitle(titleText());
    drawTitleStrip();  // the screen it shows on may have more pixels than the first
    RoundWindowCorners(frame(), width(), height());
    QWidget::showEvent(event);
}

void ChildWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    RoundWindowCorners(frame(), width(), height());
}

bool ChildWindow::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    // Only the title strip drags and closes; a window's own widgets that it watches for
    // other reasons (the option box) keep their mouse.
    const bool strip = watched == dragArea_ || watched == titleLabel_ || watched == closePicture_;
    if (!strip || (type != QEvent::MouseButtonPress && type != QEvent::MouseMove &&
                   type != QEvent::MouseButtonRelease)) {
        return QWidget::eventFilter(watched, event);
    }
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (watched == closePicture_) {
        if (type == QEvent::MouseButtonRelease && mouse->button() == Qt::LeftButton &&
            closePicture_->rect().contains(mouse->position().toPoint())) {
            closeWindow();
        }
        return true;
    }
    QWidget* window = frame();
    const QPoint global = mouse->globalPosition().toPoint();
    if (type == QEvent::MouseButtonPress) {
        dragging_ = DragWindow(mouse->buttons(), mouse->modifiers());
        dragOffset_ = global - window->pos();
    } else if (type == QEvent::MouseMove) {
        if (dragging_ && DragWindow(mouse->buttons(), mouse->modifiers())) {
            window->move(global - dragOffset_);
        }
    } else {
        dragging_ = false;
    }
    return true;
}

void ChildWindow::closeWindow() {
    if (state_.session.Busy) {
        return;
    }
    frame()->close();
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
    if (state_.session.Busy || !mayClose()) {
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
    // Closed by itself rather than through its frame, the window still takes the
    // frame with it: a later command must create a fresh window.
    if (QWidget* window = frame(); window != this) {
        window->hide();
        window->deleteLater();
    }
    emit closed();
}

}  // namespace lumo
