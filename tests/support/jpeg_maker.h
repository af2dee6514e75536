#pragma once

#include <cstdint>
#include <vector>

namespace lumo::test {

// A small JPEG image made on the spot: a diagonal gradient of width x height.
std::vector<std::uint8_t> makeJpeg(int width, int height, int quality = 90);

}  // namespace lumo::test
