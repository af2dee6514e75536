// Escape during a transfer: the question whether to stop it, wherever the focus is.
#pragma once

#include <QObject>
#include <functional>

namespace lumo {

// While it lives, Escape anywhere in the program asks `ask` (which asks the user and
// stops the transfer on Yes): in the window that runs the transfer, on the tool bar,
// in the other window. A dialog or an open menu keeps its own Escape.
class StopKey final : public QObject {
public:
    explicit StopKey(std::function<void()> ask);
    ~StopKey() override;
    StopKey(const StopKey&) = delete;
    StopKey& operator=(const StopKey&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> ask_;
    bool asking_ = false;
};

}  // namespace lumo
