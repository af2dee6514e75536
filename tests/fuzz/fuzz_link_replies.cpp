// Whatever a radio answers, the handshake and the exchanges after it end, close the
// port on failure and never touch memory they do not own.
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <memory>

#include "link/hex_link.h"

namespace {

struct Line {
    std::deque<std::uint8_t> incoming;
};

class FuzzPort final : public lumo::BytePort {
public:
    explicit FuzzPort(std::shared_ptr<Line> line) : line_(std::move(line)) {}
    long writeSome(std::span<const std::uint8_t> data) override {
        return static_cast<long>(data.size());
    }
    long readSome(std::span<std::uint8_t> data) override {
        std::size_t n = 0;
        while (n < data.size() && !line_->incoming.empty()) {
            data[n++] = line_->incoming.front();
            line_->incoming.pop_front();
        }
        return static_cast<long>(n);
    }
    void pauseAfterWrite() override {}

private:
    std::shared_ptr<Line> line_;
};

class Dialogs final : public lumo::UserDialogs {
public:
    explicit Dialogs(std::uint8_t answers) : answers_(answers) {}
    void showMessage(const std::string&, const std::string&) override {}
    bool askYesNo(const std::string&, const std::string&) override {
        const bool yes = (answers_ & 1) != 0;
        answers_ >>= 1;
        return yes;
    }

private:
    std::uint8_t answers_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    auto line = std::make_shared<Line>();
    line->incoming.assign(data + 2, data + size);
    Dialogs dialogs(data[0]);
    lumo::LinkTimings timings;
    timings.retryWait = std::chrono::milliseconds(0);
    lumo::HexLink link([line](const std::string&, lumo::OpenFailure&) -> lumo::PortHolder {
        return std::make_unique<FuzzPort>(line);
    }, dialogs, timings);
    link.FirstConnect = (data[1] & 1) != 0;
    link.AckAfterHandshake = (data[1] & 2) != 0;
    if (link.ConnectRadio("com1")) {
        std::string reply;
        if (link.ReceiveHex(reply, 68) && reply.size() != 68 * 3) {
            std::abort();
        }
        if (link.isOpen()) {
            link.SendHex("06 ");
            link.ExpectHex("06 ", 1);
        }
    } else if (link.isOpen()) {
        std::abort();  // every failure closes the port
    }
    return 0;
}
