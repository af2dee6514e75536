#include "base/read_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "base/file_descriptor.h"

namespace lumo {

std::string readWholeFile(const std::filesystem::path& path) {
    const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.get() < 0) {
        throw std::system_error(errno, std::generic_category(), "cannot open " + path.string());
    }
    std::string content;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(file.get(), buffer, sizeof buffer);
        if (n == 0) {
            return content;
        }
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw std::system_error(errno, std::generic_category(), "cannot read " + path.string());
        }
        content.append(buffer, static_cast<std::size_t>(n));
    }
}

}  // namespace lumo
