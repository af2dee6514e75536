#include "shell/picture_file.h"

#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "tests/support/jpeg_maker.h"

namespace lumo {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A trailer that announces `length` title bytes, as a forger or a damaged file might.
Bytes withTrailer(Bytes file, std::uint32_t length) {
    char trailer[15];
    std::snprintf(trailer, sizeof trailer, "%08XAETITL",
                  (length * kPictureLengthFactor) ^ kPictureTitleMask);
    for (std::size_t k = 1; k <= 14; ++k) {
        file.push_back(static_cast<std::uint8_t>(trailer[k - 1] ^ static_cast<char>(k)));
    }
    return file;
}

TEST(PictureFile, RoundTripsImageAndTitle) {
    const Bytes jpeg = test::makeJpeg(64, 40);
    ASSERT_GT(jpeg.size(), kPictureHeadSize);
    const DecodedPicture plain = decodePictureFile(packPictureFile(jpeg, std::nullopt));
    EXPECT_EQ(plain.image.width, 64);
    EXPECT_EQ(plain.image.height, 40);
    EXPECT_EQ(plain.image.pixels.size(), 64u * 40u * 3u);
    EXPECT_FALSE(plain.title);

    EXPECT_EQ(decodePictureFile(packPictureFile(jpeg, "Lumo on the bench")).title,
              "Lumo on the bench");

    // A JPEG shorter than the scrambled head works too.
    const Bytes tiny = test::makeJpeg(8, 8, 20);
    ASSERT_LT(tiny.size(), kPictureHeadSize);
    EXPECT_EQ(decodePictureFile(packPictureFile(tiny, "t")).title, "t");
}

TEST(PictureFile, LongTitlesAreCutAt255ButNot256) {
    const Bytes jpeg = test::makeJpeg(16, 16);
    const std::pair<std::size_t, std::size_t> cases[] = {{256, 256}, {257, 255}, {300, 255}};
    for (const auto& [stored, shown] : cases) {
        std::string title;
        for (std::size_t i = 0; i < stored; ++i) {
            title.push_back(static_cast<char>('a' + i % 26));
        }
        const auto decoded = decodePictureFile(packPictureFile(jpeg, title));
        ASSERT_TRUE(decoded.title);
        EXPECT_EQ(*decoded.title, title.substr(0, shown)) << stored;
    }
}

TEST(PictureFile, ImpossibleTitleLengthsMeanNoTitle) {
    const Bytes packed = packPictureFile(test::makeJpeg(16, 16), std::nullopt);
    for (const std::uint32_t length : {0x7FFFFu, static_cast<std::uint32_t>(packed.size()),
                                       static_cast<std::uint32_t>(packed.size() / 2)}) {
        const auto decoded = decodePictureFile(withTrailer(packed, length));
        EXPECT_FALSE(decoded.title) << "length " << length;
    }
    // Four title bytes really there are read.
    Bytes titled = packed;
    for (std::uint8_t k = 1; k <= 4; ++k) {
        titled.push_back(static_cast<std::uint8_t>('x' ^ k));
    }
    EXPECT_EQ(decodePictureFile(withTrailer(titled, 4)).title, "xxxx");
}

TEST(PictureFile, RefusesPlainAndCorruptJpegs) {
    const Bytes jpeg = test::makeJpeg(32, 32);
    EXPECT_THROW(decodePictureFile(jpeg), PictureFileError);  // its head gets scrambled
    Bytes corrupt = jpeg;
    for (std::size_t i = 20; i < corrupt.size(); i += 7) {
        corrupt[i] = 0xFF;
    }
    EXPECT_THROW(decodePictureFile(packPictureFile(corrupt, std::nullopt)), PictureFileError);
    EXPECT_THROW(decodePictureFile(Bytes{}), PictureFileError);
}

// A small JPEG whose frame header claims `width` x `height`.
Bytes withFrameSize(Bytes jpeg, unsigned width, unsigned height) {
    for (std::size_t i = 0; i + 8 < jpeg.size(); ++i) {
        if (jpeg[i] == 0xFF && (jpeg[i + 1] == 0xC0 || jpeg[i + 1] == 0xC2)) {
            jpeg[i + 5] = static_cast<std::uint8_t>(height >> 8);
            jpeg[i + 6] = static_cast<std::uint8_t>(height);
            jpeg[i + 7] = static_cast<std::uint8_t>(width >> 8);
            jpeg[i + 8] = static_cast<std::uint8_t>(width);
            return jpeg;
        }
    }
    throw std::logic_error("no frame header");
}

TEST(PictureFile, RefusesPicturesLargerThanAWindowBeforeDecoding) {
    const Bytes jpeg = test::makeJpeg(16, 16);
    const struct {
        unsigned width, height;
    } cases[] = {{8193, 16}, {16, 8193}, {4097, 4097}, {65500, 8}};
    for (const auto& c : cases) {
        try {
            decodePictureFile(packPictureFile(withFrameSize(jpeg, c.width, c.height), std::nullopt));
            ADD_FAILURE() << c.width << "x" << c.height << " must be refused";
        } catch (const PictureFileError& e) {
            EXPECT_NE(std::string(e.what()).find("image too large"), std::string::npos) << e.what();
        }
    }
}

// Found by the fuzzer: a header just under the old 32-megapixel bound, whose decode
// allocated and cleared some 96 MB before failing on its scan.
TEST(PictureFile, RefusesTheHugeHeaderFoundByTheFuzzer) {
    std::ifstream in(LUMO_SOURCE_DIR "/tests/fuzz/corpus/fuzz_picture_file/picture-file-timeout.dat",
                     std::ios::binary);
    const Bytes file{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    ASSERT_EQ(file.size(), 385u);
    EXPECT_THROW(decodePictureFile(file), PictureFileError);
}

TEST(PictureFile, LoadingReplacesTheTitleTextOrNamesTheFile) {
    const auto dir = std::filesystem::temp_directory_path() / ("lumo-pic-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const Bytes packed = packPictureFile(test::makeJpeg(16, 16), "Workshop radios");
    std::ofstream(dir / "bkg.dat", std::ios::binary)
        .write(reinterpret_cast<const char*>(packed.data()), static_cast<std::streamsize>(packed.size()));

    LanguageStrings strings;
    EXPECT_EQ(LoadPictureFile(dir, "bkg.dat", strings).width, 16);
    EXPECT_EQ(strings.TitleText, "Workshop radios");
    try {
        LoadPictureFile(dir, "Spl.dat", strings);
        ADD_FAILURE() << "a missing file must fail";
    } catch (const PictureFileError& e) {
        EXPECT_NE(std::string(e.what()).find("Spl.dat"), std::string::npos);
    }
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace lumo
