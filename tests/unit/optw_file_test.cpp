#include "settings/optw_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <iterator>

#include "tests/support/temp_dir.h"

namespace lumo {
namespace {

using Lines = std::vector<std::string>;
namespace fs = std::filesystem;

class OptwFile : public ::testing::Test {
  protected:
    static std::string contents(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    static void put(const fs::path& path, const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
    }

    test::TempDir temp_{"optw"};
    const fs::path& dir_ = temp_.path();
};

TEST(OptwLines, SplitAtEveryKindOfLineBreak) {
    struct Case {
        std::string text;
        Lines lines;
    };
    const Case cases[] = {
        {"", {}},
        {"0\r\n", {"0"}},
        {"0\r\n1", {"0", "1"}},
        {"0\n1\r2\r\n", {"0", "1", "2"}},
        {"\r\n\r\n", {"", ""}},
        {"a\n\r b", {"a", "", " b"}},  // LF CR is two breaks
    };
    for (const Case& c : cases) {
        EXPECT_EQ(splitOptwLines(c.text), c.lines) << c.text;
    }
    EXPECT_EQ(joinOptwLines({"0", "", "12"}), "0\r\n\r\n12\r\n");
}

TEST_F(OptwFile, WriteReplacesTheFileAndLeavesNothingBeside) {
    const fs::path file = dir_ / "s.optw";
    put(file, "old contents that are longer than the new ones");
    ::chmod(file.c_str(), 0640);
    writeOptwFile(file, {"0", "12"});
    EXPECT_EQ(contents(file), "0\r\n12\r\n");
    EXPECT_EQ(readOptwFile(file), (Lines{"0", "12"}));
    EXPECT_EQ(fs::status(file).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(OptwFile, FailuresNameTheFileAndLeaveItAlone) {
    const fs::path missing = dir_ / "missing.optw";
    try {
        readOptwFile(missing);
        FAIL();
    } catch (const OptwFileError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Cannot open \"" + missing.string() + "\": No such file or directory.");
    }
    EXPECT_THROW(readOptwFile(dir_), OptwFileError);

    const fs::path huge = dir_ / "huge.optw";
    put(huge, std::string(kOptwMaxBytes + 1, '0'));
    EXPECT_THROW(readOptwFile(huge), OptwFileError);

    // A folder standing where the file should go cannot be replaced.
    const fs::path folder = dir_ / "taken.optw";
    fs::create_directory(folder);
    try {
        writeOptwFile(folder, {"0"});
        FAIL();
    } catch (const std::system_error& e) {
        EXPECT_NE(std::string(e.what()).find(folder.string()), std::string::npos) << e.what();
    }
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_THROW(writeOptwFile(dir_ / "no-such-folder" / "s.optw", {"0"}), std::system_error);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()),
              2);  // huge.optw and the folder
}

}  // namespace
}  // namespace lumo
