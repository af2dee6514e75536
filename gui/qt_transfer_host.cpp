// The progress bar that moves while a transfer runs, and the window kept painting meanwhile.
#include "gui/qt_transfer_host.h"

#include <QMetaObject>

namespace lumo {

void QtTransferHost::progress(int position, int maximum) {
    QMetaObject::invokeMethod(
        bar_,
        [bar = bar_, position, maximum] {
            if (bar) {
                bar->setMaximum(maximum);
                bar->setValue(position);
            }
        },
        Qt::QueuedConnection);
}

void QtTransferHost::finished() {
    QMetaObject::invokeMethod(&loop_, [this] { loop_.quit(); }, Qt::QueuedConnection);
}

void QtTransferHost::waitForFinish(std::future<bool>& done) {
    // A quit left over from an earlier transfer may end the loop early: wait again.
    // Commands stay off through Busy, so user input can go on being processed.
    while (done.wait_for(std::chrono::seconds(0)) != std::future_status::ready) {
        loop_.exec();
    }
}

void QtTransferHost::resetProgress() {
    if (bar_) {
        bar_->setValue(0);
    }
}

}  // namespace lumo
