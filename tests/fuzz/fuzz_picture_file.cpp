// Picture files: any bytes decode to a picture or a clean error, never a crash, a
// read outside the file, or an exit from inside the JPEG library.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "shell/picture_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        const auto picture = lumo::decodePictureFile(std::span<const std::uint8_t>(data, size));
        if (picture.image.pixels.size() !=
            static_cast<std::size_t>(picture.image.width) * picture.image.height * 3) {
            std::abort();
        }
        if (picture.title && (picture.title->empty() || picture.title->size() > 256)) {
            std::abort();
        }
    } catch (const lumo::PictureFileError&) {
    }
    return 0;
}
