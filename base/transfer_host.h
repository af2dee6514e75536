#pragma once

#include <functional>
#include <future>
#include <utility>

namespace lumo {

// The progress bar's position and maximum.
using TransferProgress = std::function<void(int position, int maximum)>;

// The side that starts a transfer. A window runs a local event loop in
// waitForFinish() and ends it when finished() arrives; the command line just blocks.
class TransferHost {
  public:
    virtual ~TransferHost() = default;
    // Worker thread: the progress bar moved. Must not throw.
    virtual void progress(int position, int maximum) = 0;
    // Worker thread, once, after the result is ready. Must not throw.
    virtual void finished() = 0;
    // Calling thread: returns once `done` is ready, keeping the window responsive.
    virtual void waitForFinish(std::future<bool>& done) = 0;
    // Calling thread: the progress bar back to 0.
    virtual void resetProgress() = 0;
};

// Waits by blocking, for the command line and tests.
class BlockingTransferHost : public TransferHost {
  public:
    explicit BlockingTransferHost(TransferProgress onProgress = {})
        : onProgress_(std::move(onProgress)) {}
    void progress(int position, int maximum) override;
    void finished() override {}
    void waitForFinish(std::future<bool>& done) override { done.wait(); }
    void resetProgress() override;

  private:
    TransferProgress onProgress_;
    int maximum_ = 0;
};

// Runs `work` on a worker thread and waits for it through `host`, so a window keeps
// painting meanwhile; `finished` reaches the host once the result is ready. An
// exception in `work` is thrown here. Whatever `work` touches belongs to the worker
// until this returns.
bool runOnWorker(TransferHost& host, const std::function<bool()>& work);

}  // namespace lumo
