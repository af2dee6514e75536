#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "shell/picture_file.h"

namespace lumo {

// Decodes a JPEG image from the start of `data` (bytes after its end are ignored).
// Returns false with libjpeg's message in `error` when the data is no valid JPEG;
// `consumed` receives how many bytes the image took.
bool decodeJpeg(std::span<const std::uint8_t> data, RgbImage& image, std::size_t& consumed,
                std::string& error);

}  // namespace lumo
