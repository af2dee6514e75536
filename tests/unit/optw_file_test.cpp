#include "settings/optw_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "tests/support/test_files.h"

namespace lumo {
namespace {

using Lines = std::vector<std::string>;
namespace fs = std::filesystem;

class OptwFile : public ::testing::Test {
  protected:
    test::TempDir dir_;
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
    test::writeTextFile(file, "old contents that are longer than the new ones");
    ::chmod(file.c_str(), 0640);
    writeOptwFile(file, {"0", "12"});
    EXPECT_EQ(test::readTextFile(file), "0\r\n12\r\n");
    EXPECT_EQ(readOptwFile(file), (Lines{"0", "12"}));
    EXPECT_EQ(fs::status(file).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_.path()), fs::directory_iterator()), 1);
}

TEST_F(OptwFile, FailuresNameTheFile) {
    const fs::path missing = dir_ / "missing.optw";
    try {
        readOptwFile(missing);
        FAIL();
    } catch (const std::system_error& e) {
        EXPECT_EQ(std::string(e.what()),
                  "cannot open " + missing.string() + ": No such file or directory");
    }
    EXPECT_THROW(readOptwFile(dir_.path()), std::system_error);

    // A folder standing where the file should go is not replaced.
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
}

}  // namespace
}  // namespace lumo
