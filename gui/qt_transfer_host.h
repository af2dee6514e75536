// The progress bar that moves while a transfer runs, and the window kept painting meanwhile.
#pragma once

#include <QEventLoop>
#include <QPointer>
#include <QProgressBar>

#include "base/transfer_host.h"

namespace lumo {

// Lets a window wait for a transfer in a local event loop, so it keeps painting and
// the progress bar moves, while Busy keeps every command from starting.
class QtTransferHost final : public TransferHost {
public:
    explicit QtTransferHost(QProgressBar* bar) : bar_(bar) {}

    void progress(int position, int maximum) override;
    void finished() override;
    void waitForFinish(std::future<bool>& done) override;
    void resetProgress() override;

private:
    QPointer<QProgressBar> bar_;
    QEventLoop loop_;
};

}  // namespace lumo
