// What keeps a radio owner's data safe, through lumo-cli against simulated radios:
// backups after reads, verified writes, diff, and stopping a transfer with Ctrl-C.
#include <gtest/gtest.h>

#include <cstdlib>

#include "channels/channel_file.h"
#include "channels/channel_image.h"
#include "channels/image_file.h"
#include "shell/backups.h"
#include "sim/sim_fault.h"
#include "sim/simulated_radio.h"
#include "tests/support/run_verb.h"
#include "tests/support/sim_radio_setup.h"
#include "tests/support/test_files.h"

namespace lumo {
namespace {

using test::faults;
using test::runVerb;
using test::TempDir;

// Points the backups at a folder of the test's own while it lives.
class BackupHome {
public:
    explicit BackupHome(const std::filesystem::path& dataHome) {
        if (const char* old = std::getenv("XDG_DATA_HOME")) {
            saved_ = old;
        }
        setenv("XDG_DATA_HOME", dataHome.c_str(), 1);
    }
    ~BackupHome() {
        if (saved_) {
            setenv("XDG_DATA_HOME", saved_->c_str(), 1);
        } else {
            unsetenv("XDG_DATA_HOME");
        }
    }
    BackupHome(const BackupHome&) = delete;
    BackupHome& operator=(const BackupHome&) = delete;

private:
    std::optional<std::string> saved_;
};


// A radio holding two channels.
void loadTwoChannels(tarnsim::SimulatedRadio& radio) {
    ChannelTable table;
    for (const int row : {1, 2}) {
        table.setCell(1, row, row == 1 ? "446.00625" : "446.01875");
        table.setCell(2, row, table.cell(1, row));
        table.setCell(12, row, "CH" + std::to_string(row));
    }
    test::loadChannels(radio, table);
}

TEST(DataSafety, EverySuccessfulReadKeepsOneBackup) {
    TempDir dir;
    const BackupHome home(dir.path());
    tarnsim::SimulatedRadio radio;
    loadTwoChannels(radio);
    ASSERT_EQ(runVerb({"read", "--port", radio.path(), "-o", (dir / "a.img").string()}), 0);
    auto backups = listBackups(backupFolder());
    ASSERT_EQ(backups.size(), 1u);
    EXPECT_EQ(backups[0].channelsSet, 2);
    EXPECT_TRUE(test::readTextFile(backups[0].file) == test::readTextFile(dir / "a.img"));

    ASSERT_EQ(runVerb({"read", "--no-backup", "--port", radio.path()}), 0);
    ASSERT_EQ(runVerb({"settings", "read", "--port", radio.path(), "-o", (dir / "s.optw").string()}), 0);
    backups = listBackups(backupFolder());
    ASSERT_EQ(backups.size(), 2u);
    EXPECT_EQ(backups[0].kind, BackupKind::Settings);
    EXPECT_TRUE(test::readTextFile(backups[0].file) == test::readTextFile(dir / "s.optw"));

    tarnsim::SimulatedRadio failing({.faults = faults({"no-reply:3"})});
    EXPECT_EQ(runVerb({"read", "--port", failing.path()}), 1);
    EXPECT_EQ(listBackups(backupFolder()).size(), 2u);
}

TEST(DataSafety, EveryWriteIsRecordedAsWritten) {
    TempDir dir;
    const BackupHome home(dir.path());
    tarnsim::SimulatedRadio source;
    loadTwoChannels(source);
    ASSERT_EQ(runVerb({"read", "--no-backup", "--port", source.path(), "-o", (dir / "two.img").string()}), 0);
    ASSERT_EQ(runVerb({"settings", "read", "--no-backup", "--port", source.path(), "-o",
                       (dir / "s.optw").string()}),
              0);
    ASSERT_TRUE(listBackups(backupFolder()).empty());

    tarnsim::SimulatedRadio target;
    ASSERT_EQ(runVerb({"write", "--port", target.path(), (dir / "two.img").string()}), 0);
    ASSERT_EQ(runVerb({"settings", "write", "--port", target.path(), (dir / "s.optw").string()}), 0);
    ASSERT_EQ(runVerb({"write", "--no-backup", "--port", target.path(), (dir / "two.img").string()}), 0);
    const auto backups = listBackups(backupFolder());
    ASSERT_EQ(backups.size(), 2u);
    EXPECT_EQ(backups[0].kind, BackupKind::Settings);
    EXPECT_EQ(backups[0].origin, BackupOrigin::Written);
    EXPECT_TRUE(test::readTextFile(backups[0].file) == test::readTextFile(dir / "s.optw"));
    EXPECT_EQ(backups[1].origin, BackupOrigin::Written);
    EXPECT_TRUE(test::readTextFile(backups[1].file) == test::readTextFile(dir / "two.img"));

    testing::internal::CaptureStdout();
    ASSERT_EQ(runVerb({"backups"}), 0);
    const std::string listing = testing::internal::GetCapturedStdout();
    EXPECT_NE(listing.find("channels  written  "), std::string::npos) << listing;
}

TEST(DataSafety, ABackupThatCannotBeKeptIsOnlyAWarning) {
    TempDir dir;
    test::writeTextFile(dir / "in-the-way", "a file where the data folder should be");
    const BackupHome home(dir / "in-the-way");
    tarnsim::SimulatedRadio radio;
    testing::internal::CaptureStderr();
    const int status = runVerb({"read", "--port", radio.path(), "-o", (dir / "a.chnw").string()});
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(status, 0);
    EXPECT_NE(err.find("warning: no backup was kept"), std::string::npos) << err;
    EXPECT_TRUE(std::filesystem::exists(dir / "a.chnw"));
}

TEST(DataSafety, AVerifiedWriteNamesTheChannelTheRadioHoldsWrong) {
    TempDir dir;
    const BackupHome home(dir.path());
    tarnsim::SimulatedRadio source;
    loadTwoChannels(source);
    ASSERT_EQ(runVerb({"read", "--port", source.path(), "-o", (dir / "two.chnw").string()}), 0);

    tarnsim::SimulatedRadio good;
    testing::internal::CaptureStdout();
    EXPECT_EQ(runVerb({"write", "--port", good.path(), (dir / "two.chnw").string(), "--verify"}), 0);
    EXPECT_NE(testing::internal::GetCapturedStdout().find("verified"), std::string::npos);

    tarnsim::SimulatedRadio corrupting({.faults = faults({"corrupt:0x0020"})});
    testing::internal::CaptureStdout();
    EXPECT_EQ(runVerb({"write", "--port", corrupting.path(), (dir / "two.chnw").string(), "--verify"}), 3);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("channel 2: RX Frequency(MHZ) wrote 446.01875, radio holds "), std::string::npos)
        << out;
    EXPECT_EQ(out.find("channel 1:"), std::string::npos) << out;

    ASSERT_EQ(runVerb({"settings", "read", "--port", good.path(), "-o", (dir / "s.optw").string()}), 0);
    tarnsim::SimulatedRadio settingsCorrupting({.faults = faults({"corrupt:0x0E24"})});
    testing::internal::CaptureStdout();
    EXPECT_EQ(runVerb({"settings", "write", "--port", settingsCorrupting.path(),
                       (dir / "s.optw").string(), "--verify"}),
              3);
    EXPECT_NE(testing::internal::GetCapturedStdout().find("0x0E24: wrote"), std::string::npos);
}

TEST(DataSafety, DiffListsTheChannelsThatDifferAndExitsAsDiff) {
    TempDir dir;
    ChannelTable a;
    const std::vector<std::string> row{"446.00625", "446.00625", "Off", "Off", "High", "25K",
                                       "Off",       "Off",       "QT",  "Off", "On",   "PMR3"};
    for (int column = 1; column <= 12; ++column) {
        a.setCell(column, 3, row[static_cast<std::size_t>(column - 1)]);
    }
    SaveChannelFile(a, dir / "a.chnw");
    ASSERT_EQ(runVerb({"convert", (dir / "a.chnw").string(), (dir / "a.img").string()}), 0);
    ASSERT_EQ(runVerb({"convert", (dir / "a.chnw").string(), (dir / "a.csv").string()}), 0);
    ChannelTable b = a;
    b.setCell(12, 3, "BASE");
    b.setCell(1, 120, "450.00000");
    b.setRowCount(ChannelTable::kRows);
    SaveChannelFile(b, dir / "b.chnw");
    const struct {
        std::string left, right;
        int status;
        std::string out;
    } cases[] = {
        {"a.chnw", "a.img", 0, ""},
        {"a.csv", "a.chnw", 0, ""},
        {"a.img", "b.chnw", 1,
         "channel 3: CH-Name PMR3 -> BASE\nchannel 120: RX Frequency(MHZ) (empty) -> 450.00000\n"},
        {"a.chnw", "missing.chnw", 2, ""},
        {"a.chnw", "a.txt", 2, ""},
    };
    for (const auto& c : cases) {
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        EXPECT_EQ(runVerb({"diff", (dir / c.left).string(), (dir / c.right).string()}), c.status)
            << c.left << " " << c.right;
        EXPECT_EQ(testing::internal::GetCapturedStdout(), c.out);
        testing::internal::GetCapturedStderr();
    }
}

// Ctrl-C as a user gives it: lumo-cli and a paced tarn-sim as processes of their own.
struct Interrupted {
    int status = -1;
    std::string err;
};

Interrupted interruptAfterASecond(const TempDir& dir, const std::string& verbArgs,
                                  const std::string& signal) {
    const std::string bin = LUMO_BINARY_DIR "/bin/";
    // Job control on: a background job of a script would otherwise ignore SIGINT.
    const std::string script =
        "set -m; cd '" + dir.path().string() + "' || exit 1; " + bin + "tarn-sim --pace > sim.out & sim=$!; "
        "for i in $(seq 50); do [ -s sim.out ] && break; sleep 0.1; done; "
        // A script may start a program with SIGINT ignored; a user's terminal does not.
        "XDG_DATA_HOME='" + dir.path().string() + "' env --default-signal=INT,TERM " + bin +
        "lumo-cli --port $(head -n 1 sim.out) " +
        verbArgs + " 2> cli.err & cli=$!; sleep 1; kill -" + signal + " $cli; wait $cli; echo $? > cli.status; "
        "kill $sim; wait $sim 2>/dev/null; true";
    test::writeTextFile(dir / "interrupt.sh", script);
    EXPECT_EQ(std::system(("bash '" + (dir / "interrupt.sh").string() + "'").c_str()), 0);
    return {std::atoi(test::readTextFile(dir / "cli.status").c_str()), test::readTextFile(dir / "cli.err")};
}

TEST(DataSafety, CtrlCEndsAReadAfterTheBlockInProgressAndSavesNothing) {
    TempDir dir;
    const Interrupted run = interruptAfterASecond(dir, "read -o out.img", "INT");
    EXPECT_EQ(run.status, 130) << run.err;
    EXPECT_NE(run.err.find("cancelled after "), std::string::npos) << run.err;
    EXPECT_NE(run.err.find(" of 64 blocks; nothing was saved"), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(dir / "out.img"));
    EXPECT_TRUE(listBackups(dir / "Lumo" / "backups").empty());
}

TEST(DataSafety, CtrlCEndsAWriteAndNamesTheBackupToRestore) {
    TempDir dir;
    const auto backup = saveBackup(dir / "Lumo" / "backups", BackupKind::Channels,
                                   std::string(kMemoryImageSize, '\xFF'), std::chrono::system_clock::now());
    test::writeTextFile(dir / "t.chnw", test::channelOneFile({"446.00625", "446.00625", "Off", "Off", "High",
                                                              "25K", "Off", "Off", "QT", "Off", "On", "A"}));
    const Interrupted run = interruptAfterASecond(dir, "write t.chnw", "TERM");
    EXPECT_EQ(run.status, 130) << run.err;
    EXPECT_NE(run.err.find(" of 256 blocks; the radio's channel area is now partly written."),
              std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find("lumo-cli write " + backup.string()), std::string::npos) << run.err;
}

}  // namespace
}  // namespace lumo
