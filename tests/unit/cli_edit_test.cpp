// `lumo-cli edit`: operations applied in order to a channel file, written only when
// every one succeeds; refusals named with their operation.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "cli/channel_documents.h"
#include "tests/support/run_verb.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/support/test_files.h"

namespace lumo::cli {
namespace {

using test::readTextFile;
using test::runVerb;
using test::TempDir;
using test::writeTextFile;
using ::testing::HasSubstr;

constexpr int kTx = 2;
constexpr int kPower = 5;
constexpr int kName = 12;

void putChannel(ChannelTable& table, int row, const std::string& rx, const std::string& tx,
                const std::string& name) {
    const std::vector<std::string> cells{rx,    tx,    "Off", "Off", "High", "25K",
                                         "Off", "Off", "QT",  "Off", "On",   name};
    for (int column = 1; column <= kName; ++column) {
        table.setCell(column, row, cells[static_cast<std::size_t>(column - 1)]);
    }
}

// Four channels whose RX, TX and name orders all differ.
ChannelTable fourChannels() {
    ChannelTable table;
    putChannel(table, 1, "446.10000", "446.10000", "ONE");
    putChannel(table, 2, "445.00000", "445.00000", "TWO");
    putChannel(table, 3, "444.00000", "444.00000", "THREE");
    putChannel(table, 4, "446.50000", "440.50000", "FOUR");
    return table;
}

ChannelTable readBack(const std::filesystem::path& path) {
    test::ScriptedDialogs dialogs;
    auto table = openChannelDocument(path, dialogs, {.keepFileRowCount = true});
    if (!table) {
        throw std::runtime_error("cannot read back " + path.string());
    }
    return *table;
}

// The names of channels `first`..`last`, comma-separated ("" for an unnamed one).
std::string namesOf(const ChannelTable& table, int first, int last) {
    std::string names;
    for (int row = first; row <= last; ++row) {
        names += (row == first ? "" : ",") + table.cell(kName, row);
    }
    return names;
}

class CliEditTest : public ::testing::Test {
  protected:
    CliEditTest() { saveChannelDocument(fourChannels(), in()); }

    std::filesystem::path in() const { return dir / "in.chnw"; }
    std::filesystem::path out() const { return dir / "out.chnw"; }

    int edit(const std::vector<std::string>& operations) {
        std::vector<std::string> argv{"edit", in().string(), "-o", out().string()};
        argv.insert(argv.end(), operations.begin(), operations.end());
        return runVerb(argv);
    }

    TempDir dir;
};

struct EditCase {
    const char* what;
    std::vector<std::string> operations;
    int lastShown;      // the channels namesOf looks at: 1..lastShown
    const char* names;  // their names afterwards
};

TEST_F(CliEditTest, EachOperationRearrangesOrSetsAsTheWindowWould) {
    const std::vector<EditCase> cases{
        {"insert", {"--insert", "2"}, 5, "ONE,,TWO,THREE,FOUR"},
        {"delete a range", {"--delete", "2-3"}, 4, "ONE,FOUR,,"},
        {"move a block down", {"--move", "1-2:3"}, 4, "THREE,FOUR,ONE,TWO"},
        {"sort all by RX", {"--sort", "rx"}, 5, "THREE,TWO,ONE,FOUR,"},
        {"sort all by TX", {"--sort", "TX"}, 4, "FOUR,THREE,TWO,ONE"},
        {"sort a range by name", {"--sort", "name:1-3"}, 4, "ONE,THREE,TWO,FOUR"},
        {"operations in the order given", {"--move", "4:1", "--delete", "2"}, 4, "FOUR,TWO,THREE,"},
        {"no operation copies the file", {}, 4, "ONE,TWO,THREE,FOUR"},
    };
    for (const EditCase& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(edit(c.operations), 0);
        const ChannelTable result = readBack(out());
        EXPECT_EQ(namesOf(result, 1, c.lastShown), c.names);
        EXPECT_EQ(result.rowCount(), ChannelTable::kShownRowCount);
        // A channel moves whole: each name still has its own frequencies.
        for (int row = 1; row <= c.lastShown; ++row) {
            if (result.cell(kName, row) == "FOUR") {
                EXPECT_EQ(result.cell(kTx, row), "440.50000");
            }
        }
    }
}

TEST_F(CliEditTest, ABlockMovesToTheLastChannelsAndLeavesFromThere) {
    ASSERT_EQ(edit({"--move", "1-2:98"}), 0);
    EXPECT_EQ(namesOf(readBack(out()), 1, 3), "THREE,FOUR,");
    EXPECT_EQ(namesOf(readBack(out()), 97, 99), ",ONE,TWO");

    ASSERT_EQ(edit({"--move", "1-2:98", "--delete", "98-99", "--insert", "1"}), 0);
    EXPECT_EQ(namesOf(readBack(out()), 1, 3), ",THREE,FOUR");
    EXPECT_EQ(namesOf(readBack(out()), 97, 99), ",,");
}

TEST_F(CliEditTest, SetGivesEachChannelItsOwnResult) {
    ASSERT_EQ(edit({"--set", "1-5:power=low", "--set", "2-3:tx=rx+0.5", "--set", "4:TX=rx-5",
                    "--set", "1:CH-Name=home"}),
              0);
    const ChannelTable result = readBack(out());
    for (int row = 1; row <= 4; ++row) {
        EXPECT_EQ(result.cell(kPower, row), "Low") << row;
    }
    EXPECT_TRUE(result.rowIsEmpty(5)) << "an empty channel is passed over";
    EXPECT_EQ(result.cell(kTx, 2), "445.50000");
    EXPECT_EQ(result.cell(kTx, 3), "444.50000");
    EXPECT_EQ(result.cell(kTx, 4), "441.50000");
    EXPECT_EQ(result.cell(kName, 1), "HOME");
}

struct RefusalCase {
    const char* what;
    std::vector<std::string> operations;
    const char* message;  // all of stderr
};

TEST_F(CliEditTest, ARefusalNamesItsOperationExits2AndWritesNothing) {
    const std::vector<RefusalCase> cases{
        {"TX out of the band, after an edit that succeeded",
         {"--delete", "4", "--set", "1-2:tx=rx+5"},
         "lumo-cli edit: --set 1-2:tx=rx+5: Channel 1, TX: 451.10000 MHz is outside "
         "440-451 MHz.\n"},
        {"an entry the column lacks",
         {"--set", "1-3:power=medium"},
         "lumo-cli edit: --set 1-3:power=medium: \"medium\" is not a TX Power entry "
         "(High, Low).\n"},
        {"a column that does not exist",
         {"--set", "1:colour=red"},
         "lumo-cli edit: --set 1:colour=red: there is no column \"colour\": name it by its "
         "title or as rx, tx, rxtone, txtone, power, wn, busylock, optsignal, spunmute, "
         "without, scanadd or name.\n"},
        {"a channel past the last",
         {"--delete", "98-100"},
         "lumo-cli edit: --delete 98-100: There is no channel 100: the table has channels 1 "
         "to 99.\n"},
        {"a channel in use pushed out",
         {"--move", "1:99", "--insert", "5"},
         "lumo-cli edit: --insert 5: Channel 99 is in use and would be pushed out of the "
         "table: delete or move it first.\n"},
        {"a block that would run past the end",
         {"--move", "1-2:99"},
         "lumo-cli edit: --move 1-2:99: Channels 1-2 cannot start at channel 99: the table "
         "has channels 1 to 99.\n"},
        {"a range backwards",
         {"--delete", "3-1"},
         "lumo-cli edit: --delete 3-1: \"3-1\" is not a channel N or a range N-M.\n"},
        {"a move without its target",
         {"--move", "1-2"},
         "lumo-cli edit: --move 1-2: write the channels and where the first one goes, as "
         "N[-M]:TO.\n"},
        {"an unknown sort key",
         {"--sort", "power"},
         "lumo-cli edit: --sort power: sort by rx, tx or name, for channels N-M only as "
         "rx:N-M.\n"},
        {"an operation without its argument",
         {"--insert"},
         "lumo-cli edit: --insert: the operation's argument is missing.\n"},
    };
    const std::string input = readTextFile(in());
    writeTextFile(out(), "left alone");
    for (const RefusalCase& c : cases) {
        SCOPED_TRACE(c.what);
        testing::internal::CaptureStderr();
        EXPECT_EQ(edit(c.operations), 2);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), c.message);
        EXPECT_EQ(readTextFile(out()), "left alone");
        EXPECT_EQ(readTextFile(in()), input);
    }
}

TEST_F(CliEditTest, AWrongOutputNameIsRefusedBeforeTheInputIsRead) {
    EXPECT_THROW(runVerb({"edit", (dir / "missing.chnw").string(), "-o", (dir / "out.txt").string(),
                          "--delete", "1"}),
                 std::invalid_argument);
    EXPECT_FALSE(std::filesystem::exists(dir / "out.txt"));
    EXPECT_EQ(runVerb({"edit", in().string(), "--delete", "1"}), 2) << "no -o";
}

// Channels run to the count the file holds: the rows a .chnw says it shows, all 128
// of an image or a CSV file.
struct CountCase {
    const char* what;
    std::function<void(const ChannelTable&, const std::filesystem::path&)> write;
    const char* file;
    int status;  // of --move 1:128
};

TEST_F(CliEditTest, ChannelsRunToTheCountTheFileHolds) {
    const auto save = [](const ChannelTable& table, const std::filesystem::path& path) {
        saveChannelDocument(table, path);
    };
    const auto saveAllRows = [](ChannelTable table, const std::filesystem::path& path) {
        table.setRowCount(ChannelTable::kRows);
        saveChannelDocument(table, path);
    };
    const std::vector<CountCase> cases{
        {"a window's .chnw shows 99", save, "window.chnw", 2},
        {"a .chnw of 129 rows shows 128", saveAllRows, "all.chnw", 0},
        {"an image holds 128", save, "radio.img", 0},
        {"a CSV file holds 128", save, "chirp.csv", 0},
    };
    for (const CountCase& c : cases) {
        SCOPED_TRACE(c.what);
        c.write(fourChannels(), dir / c.file);
        testing::internal::CaptureStderr();
        const int status = runVerb({"edit", (dir / c.file).string(), "-o",
                                    (dir / "moved.chnw").string(), "--move", "1:128"});
        const std::string messages = testing::internal::GetCapturedStderr();
        ASSERT_EQ(status, c.status) << messages;
        if (status == 0) {
            // Channel 128 is in use, so the .chnw written shows every channel.
            const ChannelTable moved = readBack(dir / "moved.chnw");
            EXPECT_EQ(moved.rowCount(), ChannelTable::kRows);
            EXPECT_EQ(namesOf(moved, 127, 128), ",ONE");
        } else {
            EXPECT_THAT(messages, HasSubstr("the table has channels 1 to 99."));
        }
        std::filesystem::remove(dir / "moved.chnw");
    }
}

TEST_F(CliEditTest, ImageInAndOutKeepsEveryChannel) {
    saveChannelDocument(fourChannels(), dir / "in.img");
    ASSERT_EQ(runVerb({"edit", (dir / "in.img").string(), "-o", (dir / "out.img").string(),
                       "--move", "1-4:125", "--sort", "name:125-128"}),
              0);
    const ChannelTable result = readBack(dir / "out.img");
    EXPECT_EQ(namesOf(result, 124, 128), ",FOUR,ONE,THREE,TWO");
    EXPECT_TRUE(result.rowIsEmpty(1));
}

}  // namespace
}  // namespace lumo::cli
