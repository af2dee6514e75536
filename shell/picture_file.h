#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/languagestr.h"

namespace lumo {

// The program's picture files ("Spl.dat", "bkg.dat"): a JPEG whose first 1100 bytes
// are XOR-ed with a position key, optionally followed by a title and a 14-byte
// trailer that carries the title's length.
inline constexpr std::size_t kPictureHeadSize = 1100;
inline constexpr std::uint8_t kPictureHeadOffset = 0x5A;
inline constexpr std::uint32_t kPictureTitleMask = 0x4C554D4F;
inline constexpr std::uint32_t kPictureLengthFactor = 9108;
inline constexpr std::size_t kPictureTrailerSize = 14;

// The picture files the window loads from its program folder.
inline constexpr char kSplashPicture[] = "Spl.dat";
inline constexpr char kBackgroundPicture[] = "bkg.dat";

class PictureFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A decoded picture, 8-bit RGB, rows top to bottom.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;  // width * height * 3
};

struct DecodedPicture {
    RgbImage image;
    std::optional<std::string> title;
};

// Decodes the bytes of a picture file. Throws PictureFileError when the unscrambled
// bytes are no JPEG image; a damaged or impossible title is treated as no title.
DecodedPicture decodePictureFile(std::span<const std::uint8_t> file);

// Loads `name` from `appDir` and, when the file carries a title, puts it in TitleText.
// Throws PictureFileError (naming the file) when it cannot be read or decoded.
RgbImage LoadPictureFile(const std::filesystem::path& appDir, const std::string& name,
                         LanguageStrings& strings);

// Builds a picture file from a JPEG image and an optional title.
std::vector<std::uint8_t> packPictureFile(std::span<const std::uint8_t> jpeg,
                                          const std::optional<std::string>& title);

}  // namespace lumo
