#include "shell/picture_check.h"

#include <unistd.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "shell/app_state.h"
#include "shell/picture_file.h"
#include "tests/support/jpeg_maker.h"

namespace lumo {
namespace {

void writeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

TEST(PictureCheck, PassesOnlyWhenEveryPictureLoadsAndNamesEachOne) {
    const auto dir =
        std::filesystem::temp_directory_path() / ("lumo-check-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    writeFile(dir / kSplashPicture, packPictureFile(test::makeJpeg(40, 24), std::nullopt));
    const std::vector<std::uint8_t> background = packPictureFile(test::makeJpeg(64, 40), "t");
    writeFile(dir / kBackgroundPicture, background);

    std::ostringstream good;
    EXPECT_TRUE(checkPictureFiles(dir, good));
    EXPECT_NE(good.str().find("Spl.dat: 40x24\n"), std::string::npos) << good.str();
    EXPECT_NE(good.str().find("bkg.dat: 64x40\n"), std::string::npos) << good.str();

    // A picture cut short fails the check, and the other one is still reported.
    writeFile(dir / kBackgroundPicture, {background.begin(), background.begin() + 600});
    std::ostringstream damaged;
    EXPECT_FALSE(checkPictureFiles(dir, damaged));
    EXPECT_NE(damaged.str().find("Spl.dat: 40x24\n"), std::string::npos) << damaged.str();
    EXPECT_NE(damaged.str().find("bkg.dat\" is no valid picture"), std::string::npos)
        << damaged.str();

    std::filesystem::remove(dir / kSplashPicture);
    std::ostringstream missing;
    EXPECT_FALSE(checkPictureFiles(dir, missing));
    EXPECT_NE(missing.str().find("Spl.dat"), std::string::npos) << missing.str();
    std::filesystem::remove_all(dir);
}

TEST(PictureCheck, ThePictureFolderIsThatOfTheProgramFile) {
    EXPECT_EQ(programFolder("/usr/lib/lumo/lumo"), std::filesystem::path("/usr/lib/lumo/"));
    EXPECT_EQ(programFolder("lumo"), std::filesystem::path("./"));
}

}  // namespace
}  // namespace lumo
