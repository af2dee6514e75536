#include "shell/picture_file.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "shell/jpeg_decoder.h"

namespace lumo {
namespace {

constexpr char kTitleMarker[] = "AETITL";
constexpr std::size_t kLengthDigits = 8;
constexpr std::size_t kLongestTitleRead = 255;
constexpr std::size_t kFullTitleLimit = 256;

std::uint8_t headKey(std::size_t position) {
    return static_cast<std::uint8_t>((position + kPictureHeadOffset) & 0xFF);
}

std::optional<std::uint32_t> parseHex32(const std::string& digits) {
    std::uint32_t value = 0;
    for (const char c : digits) {
        int digit = -1;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        } else if (c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        }
        if (digit < 0) {
            return std::nullopt;
        }
        value = (value << 4) | static_cast<std::uint32_t>(digit);
    }
    return value;
}

// The title a trailer announces, or nothing. `jpegEnd` is where the image ended: a
// title must lie between it and the trailer, never before the file or in the image.
std::optional<std::string> readTitle(std::span<const std::uint8_t> file, std::size_t jpegEnd) {
    if (file.size() < kPictureTrailerSize) {
        return std::nullopt;
    }
    std::string trailer(kPictureTrailerSize, '\0');
    const std::size_t trailerStart = file.size() - kPictureTrailerSize;
    for (std::size_t k = 1; k <= kPictureTrailerSize; ++k) {
        trailer[k - 1] = static_cast<char>(file[trailerStart + k - 1] ^ k);
    }
    if (trailer.compare(kLengthDigits, std::string::npos, kTitleMarker) != 0) {
        return std::nullopt;
    }
    const auto encoded = parseHex32(trailer.substr(0, kLengthDigits));
    if (!encoded) {
        return std::nullopt;
    }
    const std::size_t length = (*encoded ^ kPictureTitleMask) / kPictureLengthFactor;
    if (length > trailerStart) {
        return std::nullopt;
    }
    const std::size_t start = trailerStart - length;
    if (start < jpegEnd) {
        return std::nullopt;
    }
    std::size_t toRead = length > kFullTitleLimit ? kLongestTitleRead : length;
    toRead = std::max<std::size_t>(toRead, 1);
    std::string title(toRead, '\0');
    for (std::size_t k = 1; k <= toRead; ++k) {
        title[k - 1] = static_cast<char>(file[start + k - 1] ^ (k % 256));
    }
    return title;
}

}  // namespace

DecodedPicture decodePictureFile(std::span<const std::uint8_t> file) {
    std::vector<std::uint8_t> copy(file.begin(), file.end());
    for (std::size_t i = 0; i < std::min(copy.size(), kPictureHeadSize); ++i) {
        copy[i] ^= headKey(i);
    }
    DecodedPicture picture;
    std::size_t consumed = 0;
    std::string error;
    if (!decodeJpeg(copy, picture.image, consumed, error)) {
        throw PictureFileError(error);
    }
    picture.title = readTitle(file, consumed);
    return picture;
}

RgbImage LoadPictureFile(const std::filesystem::path& appDir, const std::string& name,
                         LanguageStrings& strings) {
    const std::filesystem::path path = appDir / name;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw PictureFileError("Cannot open file \"" + path.string() + "\".");
    }
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    if (in.bad()) {
        throw PictureFileError("Cannot read file \"" + path.string() + "\".");
    }
    DecodedPicture picture;
    try {
        picture = decodePictureFile(bytes);
    } catch (const PictureFileError& e) {
        throw PictureFileError("\"" + path.string() + "\" is no valid picture: " + e.what());
    }
    if (picture.title) {
        strings.TitleText = *picture.title;
    }
    return std::move(picture.image);
}

std::vector<std::uint8_t> packPictureFile(std::span<const std::uint8_t> jpeg,
                                          const std::optional<std::string>& title) {
    std::vector<std::uint8_t> file(jpeg.begin(), jpeg.end());
    for (std::size_t i = 0; i < std::min(file.size(), kPictureHeadSize); ++i) {
        file[i] ^= headKey(i);
    }
    // An empty title cannot be stored: its length would read back as one byte.
    if (!title || title->empty()) {
        return file;
    }
    for (std::size_t k = 1; k <= title->size(); ++k) {
        file.push_back(static_cast<std::uint8_t>(static_cast<unsigned char>((*title)[k - 1]) ^ (k % 256)));
    }
    const std::uint32_t encoded =
        (static_cast<std::uint32_t>(title->size()) * kPictureLengthFactor) ^ kPictureTitleMask;
    char digits[kLengthDigits + 1];
    std::snprintf(digits, sizeof digits, "%08X", encoded);
    const std::string trailer = std::string(digits) + kTitleMarker;
    for (std::size_t k = 1; k <= kPictureTrailerSize; ++k) {
        file.push_back(static_cast<std::uint8_t>(static_cast<unsigned char>(trailer[k - 1]) ^ k));
    }
    return file;
}

}  // namespace lumo
