#include "link/serial_port.h"

#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <thread>

namespace lumo {
namespace {

using Clock = std::chrono::steady_clock;

bool isGoneError(int error) {
    return error == EIO || error == ENXIO || error == ENODEV || error == EBADF;
}

int pollMilliseconds(Clock::time_point now, Clock::time_point deadline) {
    if (deadline <= now) {
        return 0;
    }
    // Round up so a poll never returns just before the deadline and spins.
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - now);
    return static_cast<int>(std::min<long long>(left.count(), 1'000'000));
}

void applyLineSetup(int fd) {
    termios tio{};
    if (tcgetattr(fd, &tio) != 0) {
        return;
    }
    cfmakeraw(&tio);
    tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY | INPCK | ISTRIP | IGNBRK |
                                          BRKINT | PARMRK | ICRNL | INLCR | IGNCR);
    tio.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    tio.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | ECHOE | ECHONL | ISIG | IEXTEN);
    tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS);
    tio.c_cflag |= CS8 | CLOCAL | CREAD;
    tio.c_cc[VSTART] = 0x11;
    tio.c_cc[VSTOP] = 0x13;
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    cfsetispeed(&tio, B9600);
    cfsetospeed(&tio, B9600);
    tcsetattr(fd, TCSANOW, &tio);

    // ptys refuse modem lines (ENOTTY/EINVAL); that is fine.
    int lines = TIOCM_DTR | TIOCM_RTS;
    ioctl(fd, TIOCMBIS, &lines);
}

// Adapters such as ftdi_sio hold received bytes for up to 16 ms unless asked not to.
void requestLowLatency(int fd) {
    serial_struct info{};
    if (ioctl(fd, TIOCGSERIAL, &info) == 0) {
        info.flags |= ASYNC_LOW_LATENCY;
        ioctl(fd, TIOCSSERIAL, &info);
    }
}

}  // namespace

SerialPort::SerialPort(int fd, SerialTimeouts timeouts) : fd_(fd), timeouts_(timeouts) {}

SerialPort::~SerialPort() {
    ioctl(fd_, TIOCNXCL);
    close(fd_);
}

long SerialPort::writeSome(std::span<const std::uint8_t> data) {
    if (gone_) {
        return -1;
    }
    const auto start = Clock::now();
    const auto deadline = start + timeouts_.writeBudget(data.size());
    std::size_t written = 0;
    bool failed = false;
    while (written < data.size()) {
        const ssize_t n = ::write(fd_, data.data() + written, data.size() - written);
        if (n > 0) {
            written += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0 && errno != EAGAIN) {
            gone_ = isGoneError(errno);
            failed = true;
            break;
        }
        const auto now = Clock::now();
        if (now >= deadline) {
            break;
        }
        pollfd pfd{fd_, POLLOUT, 0};
        if (poll(&pfd, 1, pollMilliseconds(now, deadline)) > 0 &&
            (pfd.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) {
            gone_ = true;
            failed = true;
            break;
        }
    }
    if (written > 0) {
        waitUntilSent(written, start, deadline);
    }
    if (failed && written == 0) {
        return -1;
    }
    return static_cast<long>(written);
}

void SerialPort::waitUntilSent(std::size_t bytes, Clock::time_point writeStart,
                               Clock::time_point deadline) {
    // The driver's queue first, bounded by the write budget...
    for (;;) {
        int queued = 0;
        if (ioctl(fd_, TIOCOUTQ, &queued) != 0 || queued <= 0) {
            break;
        }
        if (Clock::now() >= deadline) {
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    // ...then the wire itself: several USB adapters and every pty report an empty
    // queue while the bytes are still on their way.
    std::this_thread::sleep_until(writeStart + wireTime(bytes));
}

long SerialPort::readSome(std::span<std::uint8_t> data) {
    if (gone_) {
        return -1;
    }
    const auto start = Clock::now();
    const auto totalDeadline = start + timeouts_.readBudget(data.size());
    std::size_t received = 0;
    Clock::time_point lastByte{};
    while (received < data.size()) {
        const auto now = Clock::now();
        auto deadline = totalDeadline;
        if (received > 0) {
            deadline = std::min(deadline, lastByte + timeouts_.readInterval);
        }
        if (now >= deadline) {
            break;
        }
        pollfd pfd{fd_, POLLIN, 0};
        const int ready = poll(&pfd, 1, pollMilliseconds(now, deadline));
        if (ready < 0) {
            if (errno == EINTR) {
                continue;
            }
            gone_ = true;
            break;
        }
        if (ready == 0) {
            continue;
        }
        if ((pfd.revents & POLLIN) != 0) {
            const ssize_t n = ::read(fd_, data.data() + received, data.size() - received);
            if (n > 0) {
                received += static_cast<std::size_t>(n);
                lastByte = Clock::now();
                continue;
            }
            if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
                continue;
            }
            // End of file or an I/O error: the device is gone.
            gone_ = true;
            break;
        }
        if ((pfd.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) {
            gone_ = true;
            break;
        }
    }
    if (gone_ && received == 0) {
        return -1;
    }
    return static_cast<long>(received);
}

void SerialPort::pauseAfterWrite() { std::this_thread::sleep_for(timeouts_.pauseAfterWrite); }

PortHolder OpenSerialPort(const std::string& path, const SerialTimeouts& timeouts,
                          OpenFailure* failure) {
    auto fail = [&](int error) {
        if (failure != nullptr) {
            *failure = describeOpenFailure(path, error);
        }
        return PortHolder{};
    };
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return fail(errno);
    }
    // TIOCEXCL keeps other programs out but not root, so a lock as well.
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno == EWOULDBLOCK ? EBUSY : errno;
        close(fd);
        return fail(error);
    }
    ioctl(fd, TIOCEXCL);
    tcflush(fd, TCIOFLUSH);
    applyLineSetup(fd);
    requestLowLatency(fd);
    // As with the radio's original driver, the final purge decides: it fails exactly
    // when the descriptor is no terminal.
    if (tcflush(fd, TCIOFLUSH) != 0) {
        const int error = errno;
        ioctl(fd, TIOCNXCL);
        close(fd);
        return fail(error);
    }
    if (failure != nullptr) {
        *failure = {};
    }
    return std::make_unique<SerialPort>(fd, timeouts);
}

}  // namespace lumo
