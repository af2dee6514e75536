// lumo-cli read and write, run in-process against a simulated radio on a pty.
#include <gtest/gtest.h>

#include "channels/channel_codec.h"
#include "channels/channel_file.h"
#include "channels/image_file.h"
#include "sim/sim_fault.h"
#include "sim/simulated_radio.h"
#include "tests/support/backup_home.h"
#include "tests/support/run_verb.h"
#include "tests/support/test_files.h"

namespace lumo {
namespace {

using Bytes = std::vector<std::uint8_t>;
using test::readTextFile;
using test::runVerb;
using test::TempDir;
using test::writeTextFile;

// A channel file of 100 rows with only channel 1 set.
std::string channelOneFile(const std::string& frequency) {
    return test::channelOneFile({frequency, frequency, "Off", "Off", "High", "25K", "Off", "Off",
                                 "QT", "Off", "On", "ab-1"});
}

Bytes channelAreas(const Bytes& memory) {
    Bytes areas(memory.begin() + ChannelAreaBase, memory.begin() + ChannelAreaBase + 0x800);
    areas.insert(areas.end(), memory.begin() + 0x1010, memory.begin() + 0x1810);
    return areas;
}

Bytes channelAreas(const MemoryImage& image) {
    Bytes areas(image.begin(), image.begin() + 0x800);
    areas.insert(areas.end(), image.begin() + 0x1000, image.begin() + 0x1800);
    return areas;
}

TEST(CliTransfer, WriteLeavesWhatConvertMakesOfTheFile) {
    TempDir dir;
    // No backup tells what the radio holds above channel 99: the write leaves them empty.
    const test::BackupHome home(dir.path());
    writeTextFile(dir / "one.chnw", channelOneFile("446.00625"));
    ASSERT_EQ(runVerb({"convert", (dir / "one.chnw").string(), (dir / "one.img").string()}), 0);
    tarnsim::SimulatedRadio radio;

    ASSERT_EQ(runVerb({"write", "--port", radio.path(), (dir / "one.chnw").string()}), 0);
    const Bytes memory = radio.radio().memory();
    EXPECT_EQ(channelAreas(memory), channelAreas(readImageFile(dir / "one.img")));
    EXPECT_EQ(Bytes(memory.begin() + 0x10, memory.begin() + 0x30),
              (Bytes{0x25, 0x06, 0x60, 0x44, 0x25, 0x06, 0x60, 0x44, 0xFF, 0xFF, 0xFF,
                     0xFF, 0x95, 0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                     0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x95, 0x8F, 0xFE, 0xFF}));
    EXPECT_EQ(Bytes(memory.begin() + 0x1010, memory.begin() + 0x1030),
              (Bytes{0x0A, 0x0B, 0xFF, 0x01, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                     0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                     0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST(CliTransfer, WriteChecksTheFileBeforeSendingAnything) {
    TempDir dir;
    // Nothing is known of the radio, so no frequency outside the band is let through.
    const test::BackupHome home(dir.path());
    tarnsim::SimulatedRadio radio;
    const std::string keepOutOfBand =
        "; --keep-out-of-band writes frequencies outside the band as they are";
    const struct {
        std::string frequency, problem, refusal;
    } cases[] = {
        {"439.99375", "\"439.99375\" is outside 440-451 MHz", keepOutOfBand},
        {"451.0125", "\"451.0125\" is outside 440-451 MHz", keepOutOfBand},
        {"446.1x", "\"446.1x\" is not a number", ""},
    };
    for (const auto& c : cases) {
        writeTextFile(dir / "bad.chnw", channelOneFile(c.frequency));
        testing::internal::CaptureStderr();
        EXPECT_EQ(runVerb({"write", "--port", radio.path(), (dir / "bad.chnw").string()}), 1);
        const std::string err = testing::internal::GetCapturedStderr();
        EXPECT_NE(err.find("lumo-cli write: channel 1, RX Frequency(MHZ): " + c.problem + "\n"),
                  std::string::npos)
            << err;
        EXPECT_NE(err.find("lumo-cli write: nothing was sent" + c.refusal + "\n"), std::string::npos) << err;
    }
    // Every problem is printed, not only the first.
    ChannelTable two;
    two.setCell(1, 1, "430");
    two.setCell(1, 5, "446.1");
    two.setCell(3, 5, "nonsense");
    SaveChannelFile(two, dir / "two.chnw");
    testing::internal::CaptureStderr();
    EXPECT_EQ(runVerb({"write", "--port", radio.path(), (dir / "two.chnw").string()}), 1);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("channel 1, RX"), std::string::npos) << err;
    EXPECT_NE(err.find("channel 5, CTCSS/DCS Dec"), std::string::npos) << err;
    EXPECT_EQ(radio.radio().sessionsHeard(), 0);
}

TEST(CliTransfer, ReadSavesTheImageTheChannelFileOrPrints) {
    TempDir dir;
    writeTextFile(dir / "one.chnw", channelOneFile("446.00625"));
    ASSERT_EQ(runVerb({"convert", (dir / "one.chnw").string(), (dir / "one.img").string()}), 0);
    const MemoryImage image = readImageFile(dir / "one.img");
    Bytes memory(0x2000, 0x00);  // the gaps between the areas must not be read
    std::copy(image.begin(), image.begin() + 0x800, memory.begin() + 0x10);
    std::copy(image.begin() + 0x1000, image.begin() + 0x1800, memory.begin() + 0x1010);
    tarnsim::SimulatedRadio radio;
    radio.radio().loadMemory(memory);

    ASSERT_EQ(runVerb({"read", "--port", radio.path(), "-o", (dir / "a.img").string()}), 0);
    EXPECT_EQ(readImageFile(dir / "a.img"), image);
    ASSERT_EQ(runVerb({"read", "--port", radio.path(), "-o", (dir / "a.chnw").string()}), 0);
    ASSERT_EQ(runVerb({"convert", (dir / "one.img").string(), (dir / "converted.chnw").string()}),
              0);
    EXPECT_TRUE(readTextFile(dir / "a.chnw") == readTextFile(dir / "converted.chnw"));

    testing::internal::CaptureStdout();
    ASSERT_EQ(runVerb({"read", "--port", radio.path()}), 0);
    const std::string listing = testing::internal::GetCapturedStdout();
    EXPECT_EQ(listing.substr(0, listing.find('\n')).substr(0, 26), "Channel  RX Frequency(MHZ)");
    EXPECT_NE(listing.find("\n1        446.00625"), std::string::npos);
}

TEST(CliTransfer, FailedReadExitsOneAndWritesNoFile) {
    TempDir dir;
    std::string error;
    tarnsim::SimulatedRadio radio({.faults = {tarnsim::parseFault("no-reply:3", error).value()}});
    EXPECT_EQ(runVerb({"read", "--port", radio.path(), "-o", (dir / "a.img").string()}), 1);
    EXPECT_FALSE(std::filesystem::exists(dir / "a.img"));
}

}  // namespace
}  // namespace lumo
