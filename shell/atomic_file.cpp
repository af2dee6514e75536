#include "shell/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <random>
#include <string>
#include <system_error>

namespace lumo {
namespace {

constexpr int kNameAttempts = 16;

[[noreturn]] void fail(int error, const std::filesystem::path& path, const std::string& doing) {
    throw std::system_error(error, std::generic_category(),
                            "Cannot " + doing + " \"" + path.string() + "\"");
}

// Owns the temporary file until it has been renamed into place.
class TemporaryFile {
  public:
    explicit TemporaryFile(const std::filesystem::path& target) : target_(target) {
        std::random_device entropy;
        for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
            path_ = target.string() + ".tmp-" + std::to_string(entropy() % 1000000);
            // 0666 lets the user's umask decide, as for any new file.
            fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd_ >= 0 || errno != EEXIST) {
                break;
            }
        }
        if (fd_ < 0) {
            fail(errno, target_, "write");
        }
    }
    ~TemporaryFile() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
        if (!renamed_) {
            ::unlink(path_.c_str());
        }
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    void write(std::string_view content) {
        while (!content.empty()) {
            const ssize_t written = ::write(fd_, content.data(), content.size());
            if (written < 0) {
                if (errno == EINTR) {
                    continue;
                }
                fail(errno, target_, "write");
            }
            content.remove_prefix(static_cast<std::size_t>(written));
        }
    }

    void keepModeOf(const std::filesystem::path& existing) {
        struct stat info {};
        if (::stat(existing.c_str(), &info) == 0) {
            ::fchmod(fd_, info.st_mode & 07777);
        }
    }

    void commit() {
        if (::fsync(fd_) != 0) {
            fail(errno, target_, "write");
        }
        const int fd = fd_;
        fd_ = -1;
        if (::close(fd) != 0) {
            fail(errno, target_, "write");
        }
        if (::rename(path_.c_str(), target_.c_str()) != 0) {
            fail(errno, target_, "replace");
        }
        renamed_ = true;
    }

  private:
    std::filesystem::path target_;
    std::string path_;
    int fd_ = -1;
    bool renamed_ = false;
};

}  // namespace

void writeFileAtomically(const std::filesystem::path& path, std::string_view content) {
    TemporaryFile temporary(path);
    temporary.keepModeOf(path);
    temporary.write(content);
    temporary.commit();
}

}  // namespace lumo
