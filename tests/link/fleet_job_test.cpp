// Several radios programmed in a row on one line: each written, verified and recorded,
// a failed radio never stopping the job, and no radio programmed twice.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <future>
#include <thread>

#include "channels/channel_image.h"
#include "shell/channel_write_subject.h"
#include "shell/fleet_job.h"
#include "tests/support/backup_home.h"
#include "tests/support/link_fixture.h"
#include "tests/support/test_files.h"

namespace lumo {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;

constexpr std::chrono::milliseconds kSwapGap{150};

tarnsim::FleetFault fleetFault(const char* text) {
    std::string error;
    return tarnsim::parseFleetFault(text, error).value();
}

// A fleet of radios on one simulated line, and the channel window's model writing
// two channels to them.
struct Fleet {
    explicit Fleet(int radios, std::vector<tarnsim::FleetFault> faults = {})
        : home(dir.path()),
          sim({}, {}, test::transferTimings(), false,
              {.radios = radios, .faults = std::move(faults), .swapGap = kSwapGap}) {
        session.setUp();
        table.setCell(1, 1, "446.00625");
        table.setCell(2, 1, "446.00625");
        table.setCell(12, 1, "NET");
        table.setCell(1, 2, "446.02500");
        table.setCell(2, 2, "446.02500");
        job.pollInterval = std::chrono::milliseconds(50);
    }

    // Swaps the radio and waits until the next one is plugged in.
    void nextRadio() {
        sim.radio.swapRadio();
        std::this_thread::sleep_for(kSwapGap + std::chrono::milliseconds(100));
    }
    // What radio `number` shows in channel `row`'s RX cell.
    std::string heldRx(int number, int row) {
        const std::vector<std::uint8_t> memory = sim.radio.fleet().radio(number).memory();
        MemoryImage image = blankMemoryImage();
        std::copy_n(memory.begin() + ChannelAreaBase, image.size(), image.begin());
        ChannelTable held;
        LoadGridFromImage(held, image);
        return held.cell(1, row);
    }

    test::TempDir dir;
    test::BackupHome home;
    LanguageStrings strings;
    Session session{strings};
    test::SimLink sim;
    ChannelTable table{strings};
    ChannelEditor editor{table, session, sim.dialogs, defaultVocabulary()};
    ChannelCommands commands{table, session, sim.link};
    ChannelWriteSubject subject{table, commands, editor, session, defaultVocabulary()};
    std::vector<std::pair<int, FleetStep>> steps;
    FleetJob job{{&subject},
                 sim.link,
                 {.step = [this](int radio, FleetStep step) { steps.emplace_back(radio, step); }},
                 backupFolder()};
};

std::vector<std::string> resultLines(const FleetJob& job) {
    std::vector<std::string> lines;
    for (const FleetRadio& radio : job.radios()) {
        lines.push_back(FleetJob::resultLine(radio));
    }
    return lines;
}

TEST(FleetJob, EveryRadioIsWrittenVerifiedAndRecordedAndAFailureNeverStopsTheJob) {
    Fleet fleet(5, {fleetFault("corrupt:0x0020%2"), fleetFault("silent%3")});
    BlockingTransferHost host;
    for (int radio = 1; radio <= 5; ++radio) {
        fleet.job.programRadio(host);
        if (radio < 5) {
            fleet.nextRadio();
        }
    }
    EXPECT_THAT(resultLines(fleet.job),
                ElementsAre("Radio 1 done: written and verified \u2014 connect the next radio",
                            "Radio 2 FAILED: The radio does not hold what was written.",
                            "Radio 3 FAILED: Device unconnect or device on booting,please wait a "
                            "minute,then try again!",
                            "Radio 4 done: written and verified \u2014 connect the next radio",
                            "Radio 5 done: written and verified \u2014 connect the next radio"));
    EXPECT_EQ(fleet.job.summary(),
              "5 radios: 3 written and verified, 2 failed: radio 2, The radio does not hold what "
              "was written; radio 3, Device unconnect or device on booting,please wait a "
              "minute,then try again!");
    for (const int radio : {1, 2, 4, 5}) {
        EXPECT_EQ(fleet.heldRx(radio, 1), "446.00625") << "radio " << radio;
    }
    EXPECT_EQ(fleet.heldRx(3, 1), "") << "the silent radio was written";
    // Nothing waited for a person, and each written radio left its record.
    EXPECT_TRUE(fleet.sim.dialogs.messages().empty());
    const std::vector<BackupEntry> backups = listBackups(backupFolder());
    std::vector<int> recorded;
    for (const BackupEntry& entry : backups) {
        EXPECT_EQ(entry.origin, BackupOrigin::Written);
        recorded.push_back(entry.radio);
    }
    std::sort(recorded.begin(), recorded.end());
    EXPECT_THAT(recorded, ElementsAre(1, 2, 4, 5));

    const std::filesystem::path log = fleet.job.saveLog(std::chrono::system_clock::now());
    EXPECT_THAT(log.filename().string(), StartsWith("fleet-"));
    const std::string text = test::readTextFile(log);
    EXPECT_THAT(text, StartsWith("radio,start,end,result,verify,record\r\n1,"));
    EXPECT_THAT(text, HasSubstr(",written and verified,verified,channels-"));
    EXPECT_THAT(text, HasSubstr(",differs,channels-"));
    EXPECT_THAT(text, HasSubstr("\r\n3,"));
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 6);
}

TEST(FleetJob, StopEndsTheJobAfterTheBlockInProgress) {
    Fleet fleet(2);
    BlockingTransferHost host;
    fleet.job.programRadio(host);
    fleet.nextRadio();
    BlockingTransferHost stopping([&](int position, int maximum) {
        if (maximum == 4096 && position >= 10 * 16) {
            fleet.job.requestStop();
        }
    });
    const FleetRadio& second = fleet.job.programRadio(stopping);
    EXPECT_TRUE(second.stopped);
    EXPECT_EQ(FleetJob::resultLine(second),
              "Radio 2 stopped: The transfer was stopped after 10 of 256 blocks.");
    EXPECT_TRUE(fleet.job.stopRequested());
    EXPECT_FALSE(fleet.job.awaitRadio(host));
}

TEST(FleetJob, WaitingForTheNextRadioNeverTakesTheOneJustProgrammed) {
    Fleet fleet(2);
    BlockingTransferHost host;
    ASSERT_TRUE(fleet.job.awaitRadio(host));  // radio 1 answers at once
    fleet.job.programRadio(host);
    // Radio 1 stays on the line a while: the wait goes on until radio 2 answers.
    auto swapLater = std::async(std::launch::async, [&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        fleet.sim.radio.swapRadio();
    });
    ASSERT_TRUE(fleet.job.awaitRadio(host));
    EXPECT_EQ(fleet.sim.radio.fleet().current(), 2);
    fleet.job.programRadio(host);
    EXPECT_EQ(fleet.heldRx(2, 2), "446.02500");
    EXPECT_THAT(fleet.steps, ::testing::Contains(std::pair{2, FleetStep::Verifying}));

    // A stop while waiting ends the wait.
    auto stopLater = std::async(std::launch::async, [&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        fleet.job.requestStop();
    });
    EXPECT_FALSE(fleet.job.awaitRadio(host));
}

}  // namespace
}  // namespace lumo
