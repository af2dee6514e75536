#include "shell/jpeg_decoder.h"

#include <csetjmp>
#include <cstdio>
// clang-format off
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

namespace lumo {
namespace {

// libjpeg's default error handler exits the process; ours jumps back instead.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void onJpegError(j_common_ptr info) {
    auto* manager = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, manager->message);
    std::longjmp(manager->jump, 1);
}

void ignoreJpegMessage(j_common_ptr, int) {}

// Owns the decompressor; nothing with a destructor may live between setjmp and a
// longjmp, so the C++ side only touches plain memory inside.
class Decompressor {
public:
    Decompressor() {
        info_.err = jpeg_std_error(&errors_.pub);
        errors_.pub.error_exit = onJpegError;
        errors_.pub.emit_message = ignoreJpegMessage;
        errors_.message[0] = '\0';
    }
    ~Decompressor() {
        if (created_) {
            jpeg_destroy_decompress(&info_);
        }
    }
    Decompressor(const Decompressor&) = delete;
    Decompressor& operator=(const Decompressor&) = delete;

    // Returns false on a libjpeg error. `out` must be sized by the caller after
    // readHeader; so decoding happens in two steps.
    bool start(std::span<const std::uint8_t> data, int& width, int& height) {
        if (setjmp(errors_.jump) != 0) {
            return false;
        }
        jpeg_create_decompress(&info_);
        created_ = true;
        jpeg_mem_src(&info_, data.data(), static_cast<unsigned long>(data.size()));
        jpeg_read_header(&info_, TRUE);
        info_.out_color_space = JCS_RGB;
        jpeg_start_decompress(&info_);
        width = static_cast<int>(info_.output_width);
        height = static_cast<int>(info_.output_height);
        return info_.output_components == 3;
    }

    bool readRows(std::uint8_t* pixels, std::size_t& leftOver) {
        if (setjmp(errors_.jump) != 0) {
            return false;
        }
        const std::size_t stride = std::size_t{info_.output_width} * 3;
        while (info_.output_scanline < info_.output_height) {
            JSAMPROW row = pixels + std::size_t{info_.output_scanline} * stride;
            jpeg_read_scanlines(&info_, &row, 1);
        }
        jpeg_finish_decompress(&info_);
        leftOver = info_.src->bytes_in_buffer;
        return true;
    }

    const char* message() const { return errors_.message; }

private:
    jpeg_decompress_struct info_{};
    ErrorManager errors_{};
    bool created_ = false;
};

}  // namespace

bool decodeJpeg(std::span<const std::uint8_t> data, RgbImage& image, std::size_t& consumed,
                std::string& error) {
    if (data.empty()) {
        error = "empty file";
        return false;
    }
    Decompressor decompressor;
    int width = 0;
    int height = 0;
    if (!decompressor.start(data, width, height)) {
        error = decompressor.message()[0] != '\0' ? decompressor.message() : "unsupported JPEG";
        return false;
    }
    // Refuse absurd sizes before allocating for them.
    constexpr long long kMaxPixels = 32LL * 1024 * 1024;
    if (width <= 0 || height <= 0 || static_cast<long long>(width) * height > kMaxPixels) {
        error = "image too large";
        return false;
    }
    image.width = width;
    image.height = height;
    image.pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3, 0);
    std::size_t leftOver = 0;
    if (!decompressor.readRows(image.pixels.data(), leftOver)) {
        error = decompressor.message();
        image = {};
        return false;
    }
    consumed = data.size() - std::min(leftOver, data.size());
    return true;
}

}  // namespace lumo
