#include "sim/pty_line.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace tarnsim {
namespace {

[[noreturn]] void fail(const char* what) {
    throw std::runtime_error(std::string("pty: ") + what + ": " + std::strerror(errno));
}

}  // namespace

PtyLine::PtyLine() {
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0) {
        fail("posix_openpt");
    }
    char name[128] = {};
    if (grantpt(master_) != 0 || unlockpt(master_) != 0 || ptsname_r(master_, name, sizeof name) != 0) {
        close(master_);
        fail("unlock");
    }
    path_ = name;
    keepAlive_ = open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (keepAlive_ < 0) {
        close(master_);
        fail("open slave");
    }
    // A new pty is cooked and echoes; the radio's side is raw from the start.
    termios tio{};
    if (tcgetattr(keepAlive_, &tio) == 0) {
        cfmakeraw(&tio);
        tcsetattr(keepAlive_, TCSANOW, &tio);
    }
    const int flags = fcntl(master_, F_GETFL);
    fcntl(master_, F_SETFL, flags | O_NONBLOCK);
}

PtyLine::~PtyLine() { hangUp(); }

void PtyLine::hangUp() {
    if (keepAlive_ >= 0) {
        close(keepAlive_);
        keepAlive_ = -1;
    }
    if (master_ >= 0) {
        close(master_);
        master_ = -1;
    }
}

}  // namespace tarnsim
