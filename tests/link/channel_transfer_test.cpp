// Channel reads and writes over a real pty against the simulated radio.
#include <gtest/gtest.h>

#include <random>
#include <thread>

#include "channels/channel_commands.h"
#include "channels/channel_image.h"
#include "sim/sim_fault.h"
#include "tests/support/link_fixture.h"

namespace lumo {
namespace {

using Bytes = std::vector<std::uint8_t>;

const std::string kCrcFailed = "Connect Crc faild code:(1)";
const std::string kUnconnect =
    "Device unconnect or device on booting,please wait a minute,then try again!";

std::vector<tarnsim::SimFault> faults(const std::string& faultText) {
    if (faultText.empty()) {
        return {};
    }
    std::string error;
    return {tarnsim::parseFault(faultText, error).value()};
}

// Radio memory holding `image` as its channel area.
Bytes radioMemoryOf(const MemoryImage& image) {
    Bytes memory(ChannelAreaBase + image.size(), 0xFF);
    std::copy(image.begin(), image.end(), memory.begin() + ChannelAreaBase);
    return memory;
}

// The channel area of radio memory as a read leaves it in a blank image.
MemoryImage channelAreasOf(const Bytes& memory) {
    MemoryImage image = blankMemoryImage();
    for (const std::size_t start : {std::size_t{0}, NameAreaOffset}) {
        std::copy_n(memory.begin() + static_cast<long>(ChannelAreaBase + start), 0x800,
                    image.begin() + static_cast<long>(start));
    }
    return image;
}

void fillRow(ChannelTable& table, int row, std::vector<std::string> texts) {
    for (std::size_t i = 0; i < texts.size(); ++i) {
        table.setCell(static_cast<int>(i) + 1, row, texts[i]);
    }
}

// A table with channels spread over all 128 rows, the hidden ones included.
ChannelTable populatedTable() {
    ChannelTable table;
    for (int row = 1; row <= ChannelCount; row += 3) {
        const std::string frequency =
            "44" + std::to_string(row % 10) + ".0" + std::to_string(row % 10) + "500";
        fillRow(table, row,
                {frequency, frequency, row % 2 ? "67.0" : "D023N", "Off", row % 4 ? "High" : "Low",
                 "25K", "Off", "DTMF", "QT+DTMF", "Off", "On", "CH" + std::to_string(row)});
    }
    return table;
}

// A channel window's model on a link to a simulated radio, recording the progress
// and on which thread it came.
struct ChannelRig {
    explicit ChannelRig(const std::string& fault = "", std::deque<bool> answers = {})
        : sim({.faults = faults(fault)}, std::move(answers), test::transferTimings()),
          session(strings),
          commands(table, session, sim.link) {
        session.setUp();
    }

    // The last position the worker reported; -1 when it reported none.
    int lastWorkerPosition() const {
        for (std::size_t i = progress.size(); i-- > 0;) {
            if (progressThreads[i] != std::this_thread::get_id()) {
                return progress[i].first;
            }
        }
        return -1;
    }

    std::vector<std::pair<int, int>> progress;
    std::vector<std::thread::id> progressThreads;
    BlockingTransferHost host{[this](int position, int maximum) {
        progress.emplace_back(position, maximum);
        progressThreads.push_back(std::this_thread::get_id());
    }};
    LanguageStrings strings;
    test::SimLink sim;
    ChannelTable table{strings};
    Session session;
    ChannelCommands commands;
};

TEST(ChannelTransfer, FullReadGivesTheRadiosChannelAreas) {
    ChannelRig rig;
    Bytes memory(0x2000);
    std::minstd_rand random(7);
    std::generate(memory.begin(), memory.end(),
                  [&] { return static_cast<std::uint8_t>(random()); });
    rig.sim.radio.radio().loadMemory(memory);
    const int descriptors = test::openDescriptorCount();

    ASSERT_TRUE(rig.commands.readFromRadio(rig.host));
    EXPECT_EQ(rig.commands.image(), channelAreasOf(memory));
    ChannelTable expected;
    LoadGridFromImage(expected, channelAreasOf(memory));
    expected.setRowCount(ChannelTable::kShownRowCount);
    EXPECT_EQ(rig.table, expected);

    EXPECT_EQ(rig.sim.dialogs.messages(), std::vector<std::string>{"Recive data complete!"});
    ASSERT_EQ(rig.progress.size(), 66u);  // the start, 64 blocks, the reset
    EXPECT_EQ(rig.progress.front(), std::make_pair(0, 4416));
    EXPECT_EQ(rig.progress[1], std::make_pair(69, 4416));
    EXPECT_EQ(rig.progress[64], std::make_pair(4416, 4416));
    EXPECT_EQ(rig.progress.back(), std::make_pair(0, 4416));
    EXPECT_NE(rig.progressThreads.front(), std::this_thread::get_id());
    EXPECT_EQ(rig.progressThreads.back(), std::this_thread::get_id());
    EXPECT_FALSE(rig.session.Busy);
    EXPECT_FALSE(rig.sim.link.isOpen());
    EXPECT_EQ(test::openDescriptorCount(), descriptors);
}

// A host that notes on which thread and in which state each of its calls came.
class WatchingHost final : public TransferHost {
  public:
    explicit WatchingHost(const ChannelTransfer& transfer) : transfer_(transfer) {}

    void progress(int, int) override {
        progressOffCaller = progressOffCaller && std::this_thread::get_id() != caller_;
        runningDuringProgress = runningDuringProgress && transfer_.TransferRunning();
    }
    void finished() override {
        ++finishedCalls;
        finishedOffCaller = std::this_thread::get_id() != caller_;
    }
    void waitForFinish(std::future<bool>& done) override {
        waitedOnCaller = std::this_thread::get_id() == caller_;
        done.wait();
    }
    void resetProgress() override {}

    bool progressOffCaller = true;
    bool runningDuringProgress = true;
    int finishedCalls = 0;
    bool finishedOffCaller = false;
    bool waitedOnCaller = false;

  private:
    const ChannelTransfer& transfer_;
    std::thread::id caller_ = std::this_thread::get_id();
};

TEST(ChannelTransfer, RunTransferWorksOnAWorkerAndHandsTheResultBack) {
    std::string error;
    test::SimLink sim({.faults = {tarnsim::parseFault("no-reply:3@2", error).value()}}, {},
                      test::transferTimings());
    MemoryImage image = blankMemoryImage();
    ChannelTransfer transfer(sim.link, image);
    for (const bool expected : {true, false}) {
        WatchingHost host(transfer);
        EXPECT_EQ(transfer.RunTransfer(TransferMode::Read, host), expected);
        EXPECT_EQ(transfer.mode(), TransferMode::Read);
        EXPECT_FALSE(transfer.TransferRunning());
        EXPECT_EQ(transfer.TransferResult(), expected);
        EXPECT_TRUE(host.progressOffCaller);
        EXPECT_TRUE(host.runningDuringProgress);
        EXPECT_EQ(host.finishedCalls, 1);
        EXPECT_TRUE(host.finishedOffCaller);
        EXPECT_TRUE(host.waitedOnCaller);
    }
}

TEST(ChannelTransfer, FullWriteGivesBackTheReadTableWithItsHiddenRows) {
    ChannelRig rig;
    MemoryImage original{};
    StoreGridToImage(populatedTable(), original);
    rig.sim.radio.radio().loadMemory(radioMemoryOf(original));
    ASSERT_TRUE(rig.commands.readFromRadio(rig.host));
    ASSERT_EQ(rig.table.rowCount(), 100);
    EXPECT_EQ(rig.table.cell(12, 127), "CH127");

    rig.sim.radio.radio().loadMemory({});
    rig.progress.clear();
    rig.progressThreads.clear();
    ASSERT_TRUE(rig.commands.writeToRadio(rig.host));
    EXPECT_EQ(channelAreasOf(rig.sim.radio.radio().memory()), original);
    EXPECT_EQ(rig.sim.dialogs.messages(),
              (std::vector<std::string>{"Recive data complete!", "Translate data complete!"}));
    ASSERT_EQ(rig.progress.size(), 258u);  // the start, 256 blocks, the reset
    EXPECT_EQ(rig.progress.front(), std::make_pair(0, 4096));
    EXPECT_EQ(rig.progress[256], std::make_pair(4096, 4096));
    EXPECT_EQ(rig.progress.back(), std::make_pair(0, 4096));
    EXPECT_FALSE(rig.session.Busy);
    EXPECT_FALSE(rig.sim.link.isOpen());
}

TEST(ChannelTransfer, UnconvertibleCellStopsTheWriteBeforeAnythingIsSent) {
    ChannelRig rig;
    fillRow(rig.table, 120, {"446.1", "446.1", "Off", "7.5.1"});
    EXPECT_FALSE(rig.commands.writeToRadio(rig.host));
    EXPECT_EQ(rig.sim.dialogs.messages(),
              std::vector<std::string>{"channel 120, CTCSS/DCS Enc: \"7.5.1\" is not a number"});
    EXPECT_EQ(rig.sim.radio.radio().sessionsHeard(), 0);
    EXPECT_FALSE(rig.session.Busy);
    EXPECT_TRUE(rig.progress.empty());
}

TEST(ChannelTransfer, CommandsDoNothingWhileBusy) {
    ChannelRig rig;
    rig.session.Busy = true;
    EXPECT_FALSE(rig.commands.readFromRadio(rig.host));
    EXPECT_FALSE(rig.commands.writeToRadio(rig.host));
    EXPECT_TRUE(rig.session.Busy);
    EXPECT_EQ(rig.sim.radio.radio().sessionsHeard(), 0);
    EXPECT_TRUE(rig.sim.dialogs.messages().empty());
}

// Every transfer against every way the link can break: the exact messages, the port
// closed, nothing leaked, Busy cleared and, after a read, the table as it was.
TEST(ChannelTransfer, BrokenLinks) {
    const std::string identityBox =
        "Data Crc Faild,\r\n|06 4B 45 52 56 4F 42 34 |\r\n|06 4B 45 52 56 4F 42 33|1";
    struct Case {
        TransferMode mode;
        std::string fault;
        bool succeeds;
        std::vector<std::string> messages;
        std::vector<std::string> questions;
        int finalPosition;  // the worker's last; -1: never connected
    };
    const Case cases[] = {
        {TransferMode::Read, "silent", false, {kUnconnect}, {}, -1},
        {TransferMode::Read, "wrong-identity", false, {}, {identityBox}, -1},
        {TransferMode::Read, "no-reply:1", false, {kCrcFailed}, {}, -1},
        {TransferMode::Read, "no-reply:2", false, {kCrcFailed}, {}, 0},
        {TransferMode::Read, "short:2:30", false, {kCrcFailed}, {}, 0},
        {TransferMode::Read, "no-reply:5", false, {kCrcFailed}, {}, 69},
        {TransferMode::Read, "short:40:67", false, {kCrcFailed}, {}, 19 * 69},
        {TransferMode::Read, "hangup:4", false, {kCrcFailed}, {}, 69},
        {TransferMode::Read, "hangup:129", false, {kCrcFailed}, {}, 63 * 69},
        {TransferMode::Read, "noise:3:20", true, {"Recive data complete!"}, {}, 4416},
        {TransferMode::Write, "silent", false, {kUnconnect}, {}, -1},
        {TransferMode::Write, "no-reply:2", false, {kCrcFailed}, {}, 16},
        {TransferMode::Write, "no-reply:41", false, {kCrcFailed}, {}, 40 * 16},
        {TransferMode::Write, "hangup:3", false, {kCrcFailed}, {}, 32},
        {TransferMode::Write, "noise:2:20", true, {"Translate data complete!"}, {}, 4096},
    };
    for (const Case& c : cases) {
        const bool read = c.mode == TransferMode::Read;
        SCOPED_TRACE((read ? "read, " : "write, ") + c.fault);
        const int descriptors = test::openDescriptorCount();
        {
            ChannelRig rig(c.fault);
            rig.table = populatedTable();
            MemoryImage stored{};
            StoreGridToImage(rig.table, stored);
            rig.sim.radio.radio().loadMemory(radioMemoryOf(stored));
            fillRow(rig.table, 2, {"449.5", "449.5"});
            const ChannelTable before = rig.table;

            const bool result =
                read ? rig.commands.readFromRadio(rig.host) : rig.commands.writeToRadio(rig.host);
            EXPECT_EQ(result, c.succeeds);
            EXPECT_EQ(rig.sim.dialogs.messages(), c.messages);
            EXPECT_EQ(rig.sim.dialogs.questions(), c.questions);
            EXPECT_FALSE(rig.sim.link.isOpen());
            EXPECT_FALSE(rig.session.Busy);
            EXPECT_EQ(rig.lastWorkerPosition(), c.finalPosition);
            if (read) {
                // A failed read leaves the table; a good one loads what the radio holds.
                if (c.succeeds) {
                    EXPECT_EQ(rig.commands.image(), stored);
                } else {
                    EXPECT_EQ(rig.table, before);
                }
            } else if (c.succeeds) {
                MemoryImage sent{};
                StoreGridToImage(rig.table, sent);
                EXPECT_EQ(channelAreasOf(rig.sim.radio.radio().memory()), sent);
            }
        }
        EXPECT_EQ(test::openDescriptorCount(), descriptors);
    }
}

}  // namespace
}  // namespace lumo
