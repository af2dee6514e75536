#include "channels/channel_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <system_error>

#include "tests/support/scripted_dialogs.h"
#include "tests/support/temp_dir.h"

namespace lumo {
namespace {

using test::readTextFile;
using test::ScriptedDialogs;
using test::TempDir;
using test::writeTextFile;

std::string repeat(const std::string& line, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) {
        text += line;
    }
    return text;
}

// A table with a different text in every stored cell, hidden columns included.
ChannelTable numberedTable(const std::string& tag) {
    ChannelTable table;
    for (int column = 1; column < table.columnCount(); ++column) {
        for (int row = 1; row < ChannelTable::kRows; ++row) {
            table.setCell(column, row, tag + std::to_string(column) + "." + std::to_string(row));
        }
    }
    return table;
}

TEST(ChannelFile, EmptyTableIs1190Lines) {
    const ChannelTable table;
    EXPECT_EQ(formatChannelFile(table, kChannelFileType), "tes\r\n100\r\n" + repeat("\r\n", 1188));
}

TEST(ChannelFile, SaveAndLoadGiveTheSameCells) {
    TempDir dir;
    const ChannelTable saved = numberedTable("a");
    SaveChannelFile(saved, dir / "t.chnw");

    ChannelTable loaded = numberedTable("b");
    ScriptedDialogs dialogs;
    ASSERT_TRUE(LoadChannelFile(loaded, dir / "t.chnw", dialogs));
    EXPECT_EQ(loaded.rowCount(), 100);
    for (int column = 1; column < loaded.columnCount(); ++column) {
        EXPECT_EQ(loaded.cell(column, 1), saved.cell(column, 1));
        EXPECT_EQ(loaded.cell(column, 99), saved.cell(column, 99));
        EXPECT_EQ(loaded.cell(column, 100), "b" + std::to_string(column) + ".100");
    }
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST(ChannelFile, AnyLineEndingIsRead) {
    ChannelTable source;
    source.setRowCount(3);
    source.setCell(1, 1, "446.10000");
    source.setCell(12, 2, "NAME");
    const std::string crlf = formatChannelFile(source, kChannelFileType);
    for (const std::string ending : {"\r", "\n"}) {
        std::string text;
        for (std::size_t i = 0; i < crlf.size(); ++i) {
            if (crlf.compare(i, 2, "\r\n") == 0) {
                text += ending;
                ++i;
            } else {
                text += crlf[i];
            }
        }
        const auto contents = parseChannelFile(text, kChannelFileType);
        ASSERT_TRUE(contents);
        ChannelTable loaded;
        applyChannelFile(loaded, *contents);
        EXPECT_EQ(loaded, source);
    }
    // The last line may lack its ending, and lines after the needed ones are ignored.
    EXPECT_TRUE(parseChannelFile("tes\n2\n" + repeat("x\n", 11) + "x", kChannelFileType));
    EXPECT_TRUE(parseChannelFile("tes\r\n1\r\nmore\r\n", kChannelFileType));
}

TEST(ChannelFile, WrongFileTypeIsRefusedWithTheWindowsMessage) {
    TempDir dir;
    writeTextFile(dir / "t.chnw", "TES\r\n100\r\n" + repeat("\r\n", 1188));
    ChannelTable table = numberedTable("a");
    const ChannelTable before = table;
    ScriptedDialogs dialogs;
    EXPECT_FALSE(LoadChannelFile(table, dir / "t.chnw", dialogs));
    EXPECT_EQ(dialogs.messages(), std::vector<std::string>{"Information: Bad read in file type!"});
    EXPECT_EQ(table, before);
}

TEST(ChannelFile, RowCount50FillsRows1To49) {
    TempDir dir;
    writeTextFile(dir / "t.chnw", "tes\r\n50\r\n" + repeat("new\r\n", 12 * 49));
    ChannelTable table = numberedTable("a");
    ScriptedDialogs dialogs;
    ASSERT_TRUE(LoadChannelFile(table, dir / "t.chnw", dialogs));
    EXPECT_EQ(table.rowCount(), 50);
    for (int column = 1; column < table.columnCount(); ++column) {
        EXPECT_EQ(table.cell(column, 1), "new");
        EXPECT_EQ(table.cell(column, 49), "new");
        EXPECT_EQ(table.cell(column, 50), "a" + std::to_string(column) + ".50");
    }
}

TEST(ChannelFile, BrokenFilesChangeNothingAndNameFileAndLine) {
    const std::string cells99 = repeat("c\r\n", 12 * 99);
    struct Case {
        std::string content;
        int line;
        std::string problem;
    };
    const Case cases[] = {
        {"tes\r\n100\r\n" + cells99.substr(0, cells99.size() - 3), 1190,
         "the file ends here, but 100 rows take 1190 lines"},
        {"tes\r\n100\r\nc\r\n", 4, "the file ends here, but 100 rows take 1190 lines"},
        {"tes\r\n", 2, "the file ends before the row count"},
        {"", 1, "the file is empty"},
        {"tes\r\nabc\r\n" + cells99, 2, "the row count \"abc\" is not a number"},
        {"tes\r\n\r\n" + cells99, 2, "the row count \"\" is not a number"},
        {"tes\r\n 100\r\n" + cells99, 2, "the row count \" 100\" is not a number"},
        {"tes\r\n0\r\n", 2, "the row count 0 is not between 1 and 129"},
        {"tes\r\n-3\r\n", 2, "the row count -3 is not between 1 and 129"},
        {"tes\r\n130\r\n" + cells99, 2, "the row count 130 is not between 1 and 129"},
        {"tes\r\n99999999999\r\n", 2, "the row count 99999999999 is not between 1 and 129"},
    };
    TempDir dir;
    const auto path = dir / "broken.chnw";
    for (const Case& c : cases) {
        writeTextFile(path, c.content);
        ChannelTable table = numberedTable("a");
        const ChannelTable before = table;
        ScriptedDialogs dialogs;
        try {
            LoadChannelFile(table, path, dialogs);
            ADD_FAILURE() << c.problem;
        } catch (const ChannelFileError& e) {
            EXPECT_EQ(e.line(), c.line);
            EXPECT_EQ(e.what(),
                      path.string() + ": line " + std::to_string(c.line) + ": " + c.problem);
        }
        EXPECT_EQ(table, before) << c.problem;
        EXPECT_TRUE(dialogs.messages().empty());
    }
}

TEST(ChannelFile, SavingReplacesTheOldFileWholeAndKeepsItsPermissions) {
    TempDir dir;
    const auto path = dir / "t.chnw";
    writeTextFile(path, "old");
    ASSERT_EQ(chmod(path.c_str(), 0640), 0);
    SaveChannelFile(ChannelTable{}, path);
    EXPECT_EQ(readTextFile(path), formatChannelFile(ChannelTable{}, kChannelFileType));
    struct stat info {};
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);

    try {
        SaveChannelFile(ChannelTable{}, dir / "missing" / "t.chnw");
        FAIL();
    } catch (const std::system_error& e) {
        EXPECT_NE(std::string(e.what()).find("missing/t.chnw"), std::string::npos) << e.what();
    }
    EXPECT_THROW(
        {
            ChannelTable table;
            ScriptedDialogs dialogs;
            LoadChannelFile(table, dir / "absent.chnw", dialogs);
        },
        std::system_error);
}

}  // namespace
}  // namespace lumo
