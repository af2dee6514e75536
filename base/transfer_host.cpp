#include "base/transfer_host.h"

#include <exception>
#include <thread>

namespace lumo {

void BlockingTransferHost::progress(int position, int maximum) {
    maximum_ = maximum;
    if (onProgress_) {
        onProgress_(position, maximum);
    }
}

void BlockingTransferHost::resetProgress() {
    if (onProgress_) {
        onProgress_(0, maximum_);
    }
}

bool runOnWorker(TransferHost& host, const std::function<bool()>& work) {
    std::promise<bool> promise;
    std::future<bool> done = promise.get_future();
    std::thread worker([&] {
        try {
            promise.set_value(work());
        } catch (...) {
            promise.set_exception(std::current_exception());
        }
        host.finished();
    });
    try {
        host.waitForFinish(done);
    } catch (...) {
        worker.join();
        throw;
    }
    worker.join();
    return done.get();
}

}  // namespace lumo
