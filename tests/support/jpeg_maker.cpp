#include "tests/support/jpeg_maker.h"

#include <cstdio>
#include <cstdlib>
// clang-format off
#include <jpeglib.h>
// clang-format on

namespace lumo::test {

std::vector<std::uint8_t> makeJpeg(int width, int height, int quality) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<std::uint8_t> row(static_cast<std::size_t>(width) * 3);
    while (info.next_scanline < info.image_height) {
        for (int x = 0; x < width; ++x) {
            const auto v = static_cast<std::uint8_t>((x * 255 / width + info.next_scanline * 3) & 0xFF);
            row[static_cast<std::size_t>(x) * 3] = v;
            row[static_cast<std::size_t>(x) * 3 + 1] = static_cast<std::uint8_t>(255 - v);
            row[static_cast<std::size_t>(x) * 3 + 2] = 128;
        }
        JSAMPROW pointer = row.data();
        jpeg_write_scanlines(&info, &pointer, 1);
    }
    jpeg_finish_compress(&info);
    std::vector<std::uint8_t> jpeg(buffer, buffer + size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return jpeg;
}

}  // namespace lumo::test
