#include "base/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <random>
#include <system_error>

namespace lumo {
namespace {

[[noreturn]] void fail(int error, const std::filesystem::path& path) {
    throw std::system_error(error, std::generic_category(), "cannot write " + path.string());
}

// Closes and removes the temporary file unless it was renamed into place.
class TemporaryFile {
  public:
    explicit TemporaryFile(const std::filesystem::path& target) {
        std::random_device random;
        for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
            path_ = target;
            path_ += ".tmp" + std::to_string(random() % 1000000);
            fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd_ < 0 && errno != EEXIST) {
                break;
            }
        }
        if (fd_ < 0) {
            fail(errno, target);
        }
    }
    ~TemporaryFile() {
        closeFile();
        if (!kept_) {
            ::unlink(path_.c_str());
        }
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    int fd() const { return fd_; }
    const std::filesystem::path& path() const { return path_; }
    int closeFile() {
        const int result = fd_ >= 0 ? ::close(fd_) : 0;
        fd_ = -1;
        return result;
    }
    void keep() { kept_ = true; }

  private:
    std::filesystem::path path_;
    int fd_ = -1;
    bool kept_ = false;
};

}  // namespace

void writeFileAtomically(const std::filesystem::path& path, std::string_view content) {
    TemporaryFile temporary(path);
    std::size_t written = 0;
    while (written < content.size()) {
        const ssize_t n =
            ::write(temporary.fd(), content.data() + written, content.size() - written);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            fail(errno, path);
        }
        written += static_cast<std::size_t>(n);
    }
    struct stat old {};
    if (::stat(path.c_str(), &old) == 0 && ::fchmod(temporary.fd(), old.st_mode & 07777) != 0) {
        fail(errno, path);
    }
    if (::fsync(temporary.fd()) != 0 || temporary.closeFile() != 0) {
        fail(errno, path);
    }
    if (::rename(temporary.path().c_str(), path.c_str()) != 0) {
        fail(errno, path);
    }
    temporary.keep();
}

}  // namespace lumo
