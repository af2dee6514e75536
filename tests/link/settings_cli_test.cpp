// lumo-cli settings against the simulated radio, run in-process.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "cli/verbs.h"
#include "settings/optw_file.h"
#include "settings/settings_bytes.h"
#include "shell/backups.h"
#include "sim/simulated_radio.h"
#include "tests/support/backup_home.h"
#include "tests/support/sim_radio_setup.h"
#include "tests/support/test_files.h"

namespace lumo::cli {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
using Lines = std::vector<std::string>;

// Sends a stream to a string buffer for as long as it lives.
class StreamCapture {
  public:
    StreamCapture(std::ostream& stream, std::ostringstream& into)
        : stream_(stream), old_(stream.rdbuf(into.rdbuf())) {}
    ~StreamCapture() { stream_.rdbuf(old_); }
    StreamCapture(const StreamCapture&) = delete;
    StreamCapture& operator=(const StreamCapture&) = delete;

  private:
    std::ostream& stream_;
    std::streambuf* old_;
};

// Runs `lumo-cli settings ARGS` and keeps what it printed.
struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

CliRun runCli(const Lines& args, const std::string& port = {}) {
    CommandLine line;
    line.verb = "settings";
    line.args = args;
    if (!port.empty()) {
        line.port = port;
    }
    std::ostringstream out;
    std::ostringstream err;
    CliRun run;
    {
        const StreamCapture captureOut(std::cout, out);
        const StreamCapture captureErr(std::cerr, err);
        CliContext context(std::move(line));
        run.status = settingsVerb().run(context);
    }
    run.out = out.str();
    run.err = err.str();
    return run;
}

class SettingsCli : public ::testing::Test {
  protected:
    void SetUp() override {
        Bytes image(0x2000, 0x11);
        const Bytes settings{0x05, 0x03, 0x07, 0xAA, 0x07, 0x01, 0x09, 0x01,
                             0x03, 0x0F, 0x02, 0x01, 0x00, 0x0D, 0x04, 0xBB};
        std::copy(settings.begin(), settings.end(), image.begin() + kSettingsAddress);
        radio_.radio().loadMemory(image);
    }

    Bytes radioSettings() {
        const Bytes memory = radio_.radio().memory();
        return {memory.begin() + kSettingsAddress,
                memory.begin() + kSettingsAddress + static_cast<long>(kSettingsLength)};
    }

    test::TempDir dir_;
    tarnsim::SimulatedRadio radio_;
};

TEST_F(SettingsCli, ReadToFileThenWriteItBack) {
    const std::string file = (dir_ / "s.optw").string();
    const CliRun readRun = runCli({"read", "-o", file}, radio_.path());
    EXPECT_EQ(readRun.status, 0) << readRun.err;
    EXPECT_EQ(readRun.err, "Recive data complete!\n");
    // Channel 5 is entry 4, the timer byte 0x0D no entry, the pre-alert 0x04 "60S".
    EXPECT_EQ(readOptwFile(file),
              (Lines{"4", "3", "7", "7", "15", "2", "1", "-1", "4", "9", "1", "0", "1", "1"}));

    const CliRun writeRun = runCli({"write", file}, radio_.path());
    EXPECT_EQ(writeRun.status, 0) << writeRun.err;
    EXPECT_EQ(writeRun.err, "Translate data complete!\n");
    EXPECT_EQ(radioSettings(), (Bytes{0x05, 0x03, 0x07, 0x00, 0x07, 0x01, 0x09, 0x01, 0x01, 0x0F,
                                      0x02, 0x01, 0x00, 0xFF, 0x04, 0x00}));
}

TEST_F(SettingsCli, VerifyComparesControlByControlAndKeepsWhatItRead) {
    const test::BackupHome home(dir_.path());
    const std::string file = (dir_ / "s.optw").string();
    ASSERT_EQ(runCli({"read", "-o", file}, radio_.path()).status, 0);
    const std::string verified = "verified: the radio holds every setting as it was written\n";
    const struct {
        const char* fault;
        bool verbose;
        int status;
        std::string out;
        const char* squelchHeld;
    } cases[] = {
        // No timer is chosen: 0xFF, and 0xFE is no entry either.
        {"corrupt:0x0E2D", false, 0, verified, "7"},
        {"corrupt:0x0E2D", true, 0,
         "byte by byte, not counted in the verdict:\n  0x0E2D: wrote 0xFF, radio holds 0xFE\n" + verified, "7"},
        {"corrupt:0x0E24", true, 3,
         "Ssquelch Leverl: wrote 7, radio holds 6\n"
         "byte by byte, not counted in the verdict:\n  0x0E24: wrote 0x07, radio holds 0x06\n"
         "1 setting(s) differ from what was written\n",
         "6"},
    };
    for (const auto& c : cases) {
        tarnsim::SimulatedRadio radio({.faults = test::faults({c.fault})});
        Lines args{"write", file, "--verify"};
        if (c.verbose) {
            args.push_back("-v");
        }
        const CliRun run = runCli(args, radio.path());
        EXPECT_EQ(run.status, c.status) << c.fault << "\n" << run.err;
        EXPECT_EQ(run.out, c.out);
        // The newest backup is what the read-back saw, after the write's record.
        const std::vector<BackupEntry> backups = listBackups(backupFolder());
        ASSERT_GE(backups.size(), 2u);
        EXPECT_EQ(backups[0].origin, BackupOrigin::Read);
        EXPECT_EQ(backups[1].origin, BackupOrigin::Written);
        EXPECT_EQ(readOptwFile(backups[0].file).at(3), c.squelchHeld);
    }
}

TEST_F(SettingsCli, ReadAndShowPrintOneLabelledLineEach) {
    const CliRun readRun = runCli({"read"}, radio_.path());
    EXPECT_EQ(readRun.status, 0) << readRun.err;
    EXPECT_EQ(readRun.out,
              "Ssquelch Leverl:       7\n"
              "Volumecon:             15\n"
              "Backlighting Level:    2\n"
              "Hight Powered Allow:   ON\n"
              "Time Out Timer(S):     (none)\n"
              "Beep Volumecon:        (blank)\n"
              "LCD Ceiling Mounting:  unchecked\n"
              "Locking Key:           checked\n"
              "The Current Channel:   5  (hidden)\n"
              "CTCSS:                 3  (hidden)\n"
              "DCS:                   7  (hidden)\n"
              "TOT Pre-Alert(S):      60S  (hidden)\n"
              "Power:                 ON  (hidden)\n"
              "Hight TX Power:        checked  (hidden)\n");

    const std::string file = (dir_ / "s.optw").string();
    ASSERT_EQ(runCli({"read", "--output", file}, radio_.path()).status, 0);
    const CliRun showRun = runCli({"show", file});
    EXPECT_EQ(showRun.status, 0) << showRun.err;
    EXPECT_EQ(showRun.out, readRun.out);
}

TEST_F(SettingsCli, RefusesBadFilesAndLinesWithoutTouchingTheRadio) {
    const fs::path cut = dir_ / "cut.optw";
    writeOptwFile(cut, {"0", "0"});
    struct Case {
        Lines args;
        int status;
        std::string err;
    };
    const Case cases[] = {
        {{"write", cut.string()},
         1,
         "\"" + cut.string() +
             "\" does not fit the settings: Line 3 is missing: the file ends after 2 lines. "
             "Nothing was changed.\n"},
        {{"show", (dir_ / "none.optw").string()},
         1,
         "cannot open " + (dir_ / "none.optw").string() + ": No such file or directory\n"},
        {{}, 2, "lumo-cli settings: needs read, write, show or print (see lumo-cli help settings)\n"},
        {{"erase"}, 2, "lumo-cli settings: no sub-verb 'erase' (see lumo-cli help settings)\n"},
        {{"write"},
         2,
         "lumo-cli settings: write needs one settings file (see lumo-cli help settings)\n"},
        {{"read", "-o"},
         2,
         "lumo-cli settings: unexpected argument '-o' (see lumo-cli help settings)\n"},
        {{"show", "a", "b"},
         2,
         "lumo-cli settings: show needs one settings file (see lumo-cli help settings)\n"},
    };
    for (const Case& c : cases) {
        const CliRun run = runCli(c.args, radio_.path());
        EXPECT_EQ(run.status, c.status) << c.err;
        EXPECT_EQ(run.err, c.err);
        EXPECT_EQ(run.out, "");
    }
    EXPECT_EQ(radio_.radio().sessionsHeard(), 0);
}

}  // namespace
}  // namespace lumo::cli
