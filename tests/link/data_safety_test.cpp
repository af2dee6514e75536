// What keeps a radio owner's data safe, through lumo-cli against simulated radios:
// backups after reads, verified writes, diff, channels above 99 and outside the band
// going back as the radio holds them, and stopping a transfer with Ctrl-C.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "channels/channel_file.h"
#include "channels/channel_image.h"
#include "channels/image_file.h"
#include "settings/optw_file.h"
#include "shell/backups.h"
#include "sim/sim_fault.h"
#include "sim/simulated_radio.h"
#include "tests/support/backup_home.h"
#include "tests/support/run_verb.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/support/sim_radio_setup.h"
#include "tests/support/test_files.h"

namespace lumo {
namespace {

using test::BackupHome;
using test::faults;
using test::runVerb;
using test::TempDir;

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

// A radio holding channel 1 in the band and channel 120 outside it, as another program
// may have left it.
void loadChannelOutsideTheBand(tarnsim::SimulatedRadio& radio) {
    test::loadChannels(radio, {{1, "446.00625", "CH1"}, {120, "435.00000", "CH120"}});
}

MemoryImage channelArea(const std::vector<std::uint8_t>& memory) {
    MemoryImage image = blankMemoryImage();
    std::copy_n(memory.begin() + ChannelAreaBase, image.size(), image.begin());
    return image;
}

// The channels the radio holds, as a read would show them.
ChannelTable heldChannels(tarnsim::SimulatedRadio& radio) {
    ChannelTable table;
    LoadGridFromImage(table, channelArea(radio.radio().memory()));
    return table;
}

ChannelTable loadTable(const std::filesystem::path& file) {
    ChannelTable table;
    test::ScriptedDialogs dialogs;
    EXPECT_TRUE(LoadChannelFile(table, file, dialogs));
    return table;
}

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

CliRun runCaptured(const std::vector<std::string>& argv) {
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    CliRun result;
    result.status = runVerb(argv);
    result.out = testing::internal::GetCapturedStdout();
    result.err = testing::internal::GetCapturedStderr();
    return result;
}

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// After a verify, the newest channel backup is what the read-back saw and the write's
// record comes before it; the radio stored the byte at `offset` with bit 0 flipped.
void expectReadBackKeptAfterTheRecord(std::size_t offset) {
    const auto backups = listBackups(backupFolder());
    ASSERT_GE(backups.size(), 2u);
    EXPECT_EQ(backups[0].origin, BackupOrigin::Read);
    EXPECT_EQ(backups[1].origin, BackupOrigin::Written);
    EXPECT_EQ(readImageFile(backups[0].file)[offset], readImageFile(backups[1].file)[offset] ^ 1);
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
    expectReadBackKeptAfterTheRecord(recordOffset(2));

    // Squelch 7 at 0x0E24; a radio that flips its bit 0 holds 6.
    writeOptwFile(dir / "s.optw", {"4", "3", "7", "7", "15", "2", "1", "-1", "4", "9", "1", "0", "1", "1"});
    tarnsim::SimulatedRadio settingsCorrupting({.faults = faults({"corrupt:0x0E24"})});
    testing::internal::CaptureStdout();
    EXPECT_EQ(runVerb({"settings", "write", "--port", settingsCorrupting.path(),
                       (dir / "s.optw").string(), "--verify"}),
              3);
    const std::string settingsOut = testing::internal::GetCapturedStdout();
    EXPECT_EQ(settingsOut, "Ssquelch Leverl: wrote 7, radio holds 6\n1 setting(s) differ from what was written\n");
}

TEST(DataSafety, BytesNoColumnShowsNeverFailAVerify) {
    TempDir dir;
    const BackupHome home(dir.path());
    const std::string file = (dir / "one.chnw").string();
    test::writeTextFile(file, test::channelOneFile({"446.00625", "446.00625", "Off", "Off", "High", "25K",
                                                    "Off", "Off", "QT", "Off", "On", "A"}));
    const struct {
        const char* fault;
        std::size_t offset;
    } cases[] = {
        {"corrupt:0x001F", recordOffset(1) + 15},  // the record's last byte
        {"corrupt:0x1018", nameOffset(1) + 8},     // the name slot past the name
    };
    for (const auto& c : cases) {
        tarnsim::SimulatedRadio radio({.faults = faults({c.fault})});
        for (const bool verbose : {false, true}) {
            std::vector<std::string> argv{"write", "--port", radio.path(), file, "--verify"};
            if (verbose) {
                argv.push_back("-v");
            }
            const CliRun write = runCaptured(argv);
            EXPECT_EQ(write.status, 0) << c.fault << "\n" << write.out << write.err;
            EXPECT_TRUE(contains(write.out, "verified: the radio holds every channel as it was written\n"))
                << write.out;
            EXPECT_EQ(contains(write.out, "byte by byte, not counted in the verdict:\n  channel 1: bytes wrote "),
                      verbose)
                << write.out;
            expectReadBackKeptAfterTheRecord(c.offset);
        }
    }
}

TEST(DataSafety, ReadKeepsChannelsAbove99AndWriteGivesThemBackUnchanged) {
    TempDir dir;
    const BackupHome home(dir.path());
    tarnsim::SimulatedRadio radio;
    loadChannelOutsideTheBand(radio);
    const std::string file = (dir / "radio.chnw").string();
    const CliRun read = runCaptured({"read", "--port", radio.path(), "-o", file});
    ASSERT_EQ(read.status, 0) << read.err;
    EXPECT_TRUE(contains(read.err, "lumo-cli read: channels above 99 are in use; " + file + " keeps all 128\n"))
        << read.err;
    const ChannelTable saved = loadTable(file);
    EXPECT_EQ(saved.rowCount(), ChannelTable::kRows);
    EXPECT_EQ(saved.cell(1, 120), "435.00000");

    const std::vector<std::uint8_t> before = radio.radio().memory();
    const CliRun write = runCaptured({"write", "--port", radio.path(), file});
    EXPECT_EQ(write.status, 0) << write.err;
    EXPECT_TRUE(contains(write.err, "lumo-cli write: warning: channel 120: 435.00000 MHz is outside "
                                    "440-451 MHz; the radio already holds it\n"))
        << write.err;
    EXPECT_TRUE(radio.radio().memory() == before);
}

TEST(DataSafety, AChangedFrequencyOutsideTheBandGoesOnlyWithKeepOutOfBand) {
    TempDir dir;
    const BackupHome home(dir.path());
    tarnsim::SimulatedRadio radio;
    loadChannelOutsideTheBand(radio);
    const std::filesystem::path file = dir / "radio.chnw";
    ASSERT_EQ(runCaptured({"read", "--port", radio.path(), "-o", file.string()}).status, 0);
    // Only channel 120's RX changes: its TX, still as the radio holds it, is no problem.
    ChannelTable changed = loadTable(file);
    changed.setCell(1, 120, "436.00000");
    SaveChannelFile(changed, dir / "changed.chnw");
    changed.setCell(1, 5, "446.1x");
    SaveChannelFile(changed, dir / "not-a-number.chnw");
    const std::string rx = "lumo-cli write: channel 120, RX Frequency(MHZ): \"436.00000\" is outside 440-451 MHz\n";
    const struct {
        const char* file;
        bool keepOutOfBand;
        int status;
        std::string err;  // when refused
    } cases[] = {
        {"changed.chnw", false, 1,
         rx + "lumo-cli write: nothing was sent; --keep-out-of-band writes frequencies outside the band as "
              "they are\n"},
        {"not-a-number.chnw", true, 1,
         "lumo-cli write: channel 5, RX Frequency(MHZ): \"446.1x\" is not a number\n"
         "lumo-cli write: nothing was sent\n"},
        {"changed.chnw", true, 0, ""},
    };
    for (const auto& c : cases) {
        const int sessions = radio.radio().sessionsHeard();
        std::vector<std::string> argv{"write", "--port", radio.path(), (dir / c.file).string()};
        if (c.keepOutOfBand) {
            argv.push_back("--keep-out-of-band");
        }
        const CliRun write = runCaptured(argv);
        EXPECT_EQ(write.status, c.status) << c.file << "\n" << write.err;
        if (c.status != 0) {
            EXPECT_EQ(write.err, c.err);
            EXPECT_EQ(radio.radio().sessionsHeard(), sessions);
        }
    }
    const ChannelTable held = heldChannels(radio);
    EXPECT_EQ(held.cell(1, 120), "436.00000");
    EXPECT_EQ(held.cell(2, 120), "435.00000");
}

TEST(DataSafety, AFileOfChannels1To99LeavesTheOthersAsTheRadioHoldsThem) {
    TempDir dir;
    const BackupHome home(dir.path());
    const std::string file = (dir / "one.chnw").string();
    test::writeTextFile(file, test::channelOneFile({"446.01250", "446.01250", "Off", "Off", "High", "25K",
                                                    "Off", "Off", "QT", "Off", "On", "NEW"}));
    tarnsim::SimulatedRadio radio;
    const std::string empty = "no backup read from the radio tells what it holds above them, so "
                              "channels 100-128 will be empty on the radio\n";
    const struct {
        const char* before;  // what happens before the write
        std::string says;
        const char* channel120;
    } cases[] = {
        {"no backup at all", empty, ""},
        {"a read", "channels 100-128 stay as the newest backup, ", "435.00000"},
        // A write's record says what was sent, not what the radio holds.
        {"a write", empty, ""},
    };
    for (const auto& c : cases) {
        loadChannelOutsideTheBand(radio);
        if (c.before == std::string("a read")) {
            ASSERT_EQ(runCaptured({"read", "--port", radio.path()}).status, 0);
        }
        const CliRun write = runCaptured({"write", "--port", radio.path(), file});
        EXPECT_EQ(write.status, 0) << c.before << "\n" << write.err;
        const std::size_t says = write.err.find("lumo-cli write: " + file + " holds channels 1-99 only; " + c.says);
        EXPECT_LT(says, write.err.find("Translate data complete!")) << c.before << "\n" << write.err;
        const ChannelTable held = heldChannels(radio);
        EXPECT_EQ(held.cell(12, 1), "NEW") << c.before;
        EXPECT_EQ(held.cell(1, 120), c.channel120) << c.before;
    }
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
    // The same channels, byte 15 of channel 3's record aside, which no column shows.
    MemoryImage poked = readImageFile(dir / "a.img");
    poked[recordOffset(3) + 15] ^= 1;
    writeImageFile(dir / "poked.img", poked);
    const struct {
        std::string left, right;
        bool bytes;
        int status;
        std::string out;
    } cases[] = {
        {"a.chnw", "a.img", false, 0, ""},
        {"a.csv", "a.chnw", false, 0, ""},
        {"a.img", "b.chnw", false, 1,
         "channel 3: CH-Name PMR3 -> BASE\nchannel 120: RX Frequency(MHZ) (empty) -> 450.00000\n"},
        {"a.chnw", "missing.chnw", false, 2, ""},
        {"a.chnw", "a.txt", false, 2, ""},
        {"a.img", "poked.img", false, 0, ""},
        {"a.chnw", "a.img", true, 0, ""},
        {"a.csv", "a.img", true, 0, ""},
        {"a.chnw", "poked.img", true, 1,
         "channel 3: bytes 25 06 60 44 25 06 60 44 FF FF FF FF 95 FF FE FF -> "
         "25 06 60 44 25 06 60 44 FF FF FF FF 95 FF FE FE\n"},
        {"a.img", "missing.img", true, 2, ""},
    };
    for (const auto& c : cases) {
        std::vector<std::string> argv{"diff", (dir / c.left).string(), (dir / c.right).string()};
        if (c.bytes) {
            argv.push_back("--bytes");
        }
        const CliRun diff = runCaptured(argv);
        EXPECT_EQ(diff.status, c.status) << c.left << " " << c.right << " " << c.bytes;
        EXPECT_EQ(diff.out, c.out);
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
    // A newer record of a write: what was sent, which the radio may never have held.
    saveBackup(dir / "Lumo" / "backups", BackupKind::Channels, std::string(kMemoryImageSize, '\0'),
               std::chrono::system_clock::now(), BackupOrigin::Written);
    test::writeTextFile(dir / "t.chnw", test::channelOneFile({"446.00625", "446.00625", "Off", "Off", "High",
                                                              "25K", "Off", "Off", "QT", "Off", "On", "A"}));
    const Interrupted run = interruptAfterASecond(dir, "write t.chnw", "TERM");
    EXPECT_EQ(run.status, 130) << run.err;
    EXPECT_NE(run.err.find(" of 256 blocks; the radio's channel area is now partly written."),
              std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find("Writing t.chnw again completes the table."), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("lumo-cli write " + backup.string() + "\n"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace lumo
