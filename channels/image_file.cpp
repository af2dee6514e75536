#include "channels/image_file.h"

#include <algorithm>
#include <stdexcept>
#include <string_view>

#include "base/atomic_file.h"
#include "base/read_file.h"

namespace lumo {

MemoryImage readImageFile(const std::filesystem::path& path) {
    const std::string bytes = readWholeFile(path);
    if (bytes.size() != kMemoryImageSize) {
        throw std::runtime_error(path.string() + ": a channel image holds " +
                                 std::to_string(kMemoryImageSize) + " bytes, this file " +
                                 std::to_string(bytes.size()));
    }
    MemoryImage image;
    std::transform(bytes.begin(), bytes.end(), image.begin(),
                   [](char c) { return static_cast<std::uint8_t>(c); });
    return image;
}

void writeImageFile(const std::filesystem::path& path, const MemoryImage& image) {
    writeFileAtomically(
        path, std::string_view(reinterpret_cast<const char*>(image.data()), image.size()));
}

}  // namespace lumo
