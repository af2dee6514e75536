#include "shell/jpeg_decoder.h"

#include <csetjmp>
#include <cstdio>
#include <vector>
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

// A few kilobytes of progressive JPEG can ask for thousands of scans, each a pass
// over the whole coefficient buffer. Our pictures use a handful; stop the rest.
constexpr int kMaxScans = 100;

struct ProgressMonitor {
    jpeg_progress_mgr pub;
};

void onJpegProgress(j_common_ptr info) {
    if (info->is_decompressor == 0) {
        return;
    }
    const auto* decompress = reinterpret_cast<j_decompress_ptr>(info);
    if (decompress->input_scan_number > kMaxScans) {
        auto* manager = reinterpret_cast<ErrorManager*>(info->err);
        std::snprintf(manager->message, sizeof manager->message, "more than %d scans", kMaxScans);
        std::longjmp(manager->jump, 1);
    }
}

// A splash and a window background: nothing larger is shown, so nothing larger is
// decoded. Bounding it also bounds the memory an untrusted file can ask for.
constexpr unsigned kMaxSide = 8192;
constexpr unsigned long long kMaxPixels = 16ULL * 1024 * 1024;

bool pictureSizeAccepted(unsigned width, unsigned height) {
    return width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide &&
           static_cast<unsigned long long>(width) * height <= kMaxPixels;
}

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

    // Reads the header and, when the picture is of a size this program shows, starts
    // the decode. Returns false on a libjpeg error or a refused size (`tooLarge`).
    bool start(std::span<const std::uint8_t> data, int& width, int& height, bool& tooLarge) {
        if (setjmp(errors_.jump) != 0) {
            return false;
        }
        jpeg_create_decompress(&info_);
        created_ = true;
        jpeg_mem_src(&info_, data.data(), static_cast<unsigned long>(data.size()));
        jpeg_read_header(&info_, TRUE);
        // Judge the size before start_decompress: a progressive picture has its whole
        // coefficient buffer allocated and every scan read there.
        tooLarge = !pictureSizeAccepted(info_.image_width, info_.image_height);
        if (tooLarge) {
            return false;
        }
        progress_.pub.progress_monitor = onJpegProgress;
        info_.progress = &progress_.pub;
        info_.out_color_space = JCS_RGB;
        jpeg_start_decompress(&info_);
        width = static_cast<int>(info_.output_width);
        height = static_cast<int>(info_.output_height);
        return info_.output_components == 3;
    }

    // Appends the rows to `pixels`, which holds no rows yet.
    bool readRows(std::vector<std::uint8_t>& pixels, std::size_t& leftOver) {
        if (setjmp(errors_.jump) != 0) {
            return false;
        }
        const std::size_t stride = std::size_t{info_.output_width} * 3;
        row_.resize(stride);
        while (info_.output_scanline < info_.output_height) {
            JSAMPROW row = row_.data();
            if (jpeg_read_scanlines(&info_, &row, 1) != 1) {
                break;
            }
            pixels.insert(pixels.end(), row_.begin(), row_.end());
        }
        jpeg_finish_decompress(&info_);
        leftOver = info_.src->bytes_in_buffer;
        return true;
    }

    const char* message() const { return errors_.message; }

private:
    jpeg_decompress_struct info_{};
    ErrorManager errors_{};
    ProgressMonitor progress_{};
    std::vector<std::uint8_t> row_;
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
    bool tooLarge = false;
    if (!decompressor.start(data, width, height, tooLarge)) {
        error = tooLarge                            ? "image too large"
                : decompressor.message()[0] != '\0' ? decompressor.message()
                                                    : "unsupported JPEG";
        return false;
    }
    image.width = width;
    image.height = height;
    image.pixels.clear();
    // Reserved, not filled: the rows are appended as they are decoded.
    const std::size_t size = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3;
    image.pixels.reserve(size);
    std::size_t leftOver = 0;
    if (!decompressor.readRows(image.pixels, leftOver) || image.pixels.size() != size) {
        error = decompressor.message()[0] != '\0' ? decompressor.message() : "image cut short";
        image = {};
        return false;
    }
    consumed = data.size() - std::min(leftOver, data.size());
    return true;
}

}  // namespace lumo
