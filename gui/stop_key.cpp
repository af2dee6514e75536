// Escape during a transfer: the question whether to stop it, wherever the focus is.
#include "gui/stop_key.h"

#include <QApplication>
#include <QKeyEvent>

namespace lumo {

StopKey::StopKey(std::function<void()> ask) : ask_(std::move(ask)) {
    qApp->installEventFilter(this);
}

StopKey::~StopKey() {
    qApp->removeEventFilter(this);
}

bool StopKey::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if ((type != QEvent::ShortcutOverride && type != QEvent::KeyPress) || asking_ ||
        QApplication::activeModalWidget() != nullptr || QApplication::activePopupWidget() != nullptr) {
        return QObject::eventFilter(watched, event);
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Escape || key->modifiers() != Qt::NoModifier) {
        return QObject::eventFilter(watched, event);
    }
    if (type == QEvent::ShortcutOverride) {
        // Taken as a key press, so no window's own Escape shortcut answers it first.
        event->accept();
        return true;
    }
    asking_ = true;
    ask_();
    asking_ = false;
    return true;
}

}  // namespace lumo
