// The file verbs of lumo-cli, run in-process on files in a temporary folder.
#include <gtest/gtest.h>

#include "channels/channel_codec.h"
#include "channels/image_file.h"
#include "tests/support/run_verb.h"
#include "tests/support/test_files.h"

namespace lumo::cli {
namespace {

using test::channelOneFile;
using test::readTextFile;
using test::runVerb;
using test::TempDir;
using test::writeTextFile;

const std::vector<std::string> kChannelOne{"446.00625", "446.00625", "Off", "Off", "High", "25K",
                                           "Off",       "Off",       "QT",  "Off", "On",   "AB1"};

TEST(CliChannelFiles, ConvertBetweenChannelFileAndImage) {
    TempDir dir;
    writeTextFile(dir / "in.chnw", channelOneFile(kChannelOne));
    ASSERT_EQ(runVerb({"convert", (dir / "in.chnw").string(), (dir / "out.img").string()}), 0);
    const MemoryImage image = readImageFile(dir / "out.img");
    const std::vector<std::uint8_t> record(image.begin(), image.begin() + 16);
    EXPECT_EQ(record, (std::vector<std::uint8_t>{0x25, 0x06, 0x60, 0x44, 0x25, 0x06, 0x60, 0x44,
                                                 0xFF, 0xFF, 0xFF, 0xFF, 0x95, 0xFF, 0xFE, 0xFF}));
    EXPECT_EQ(image[nameOffset(1)], 0x0A);
    EXPECT_EQ(image[nameOffset(1) + 2], 0x01);
    EXPECT_EQ(image[recordOffset(128) + 12], 0x95);

    // Back again: the file a window saves after reading that image.
    ASSERT_EQ(runVerb({"convert", (dir / "out.img").string(), (dir / "back.chnw").string()}), 0);
    EXPECT_EQ(readTextFile(dir / "back.chnw"), readTextFile(dir / "in.chnw"));
}

TEST(CliChannelFiles, ImageToChannelFileKeepsChannels1To99) {
    TempDir dir;
    MemoryImage image = blankMemoryImage();
    for (const int channel : {99, 100}) {
        std::fill_n(image.begin() + static_cast<long>(recordOffset(channel)), 3, 0x00);
        image[recordOffset(channel) + 3] = 0x44;
    }
    writeImageFile(dir / "in.img", image);
    ASSERT_EQ(runVerb({"convert", (dir / "in.img").string(), (dir / "out.chnw").string()}), 0);
    const std::string text = readTextFile(dir / "out.chnw");
    EXPECT_EQ(text.substr(0, 10), "tes\r\n100\r\n");
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1190);
    // Channel 99's RX frequency is the last cell of column 1; channel 100 is not stored.
    EXPECT_EQ(text.find("440.00000"), text.find("\r\n440.00000\r\n\r\n\r\n") + 2);
    EXPECT_EQ(text.find("440.00000", text.find("440.00000") + 1), std::string::npos);
}

TEST(CliChannelFiles, UnconvertibleCellNamesChannelColumnAndTextAndWritesNothing) {
    TempDir dir;
    std::vector<std::string> row = kChannelOne;
    row[0] = "446.1.5";
    writeTextFile(dir / "in.chnw", channelOneFile(row));
    try {
        runVerb({"convert", (dir / "in.chnw").string(), (dir / "out.img").string()});
        FAIL();
    } catch (const ConversionError& e) {
        EXPECT_STREQ(e.what(), "channel 1, RX Frequency(MHZ): \"446.1.5\" is not a number");
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "out.img"));
}

TEST(CliChannelFiles, ShowListsNonEmptyChannelsUnderTheTitles) {
    TempDir dir;
    writeTextFile(dir / "in.chnw", channelOneFile(kChannelOne));
    testing::internal::CaptureStdout();
    ASSERT_EQ(runVerb({"show", (dir / "in.chnw").string()}), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Channel  RX Frequency(MHZ)  TX Frequency(MHZ)  CTCSS/DCS Dec  CTCSS/DCS Enc  "
              "TX Power  W/N  Busy Lock  Without  ScanningAdd  CH-Name\n"
              "1        446.00625          446.00625          Off            Off            "
              "High      25K  Off        Off      On           AB1\n");

    testing::internal::CaptureStdout();
    ASSERT_EQ(runVerb({"show", "--all", (dir / "in.chnw").string()}), 0);
    const std::string all = testing::internal::GetCapturedStdout();
    EXPECT_NE(all.find("OptSingal  SPUnmute  Without  ScanningAdd  CH-Name\n"), std::string::npos);
    EXPECT_NE(all.find("QT        Off      On           AB1\n"), std::string::npos);
}

TEST(CliChannelFiles, RefusesFilesItCannotRead) {
    TempDir dir;
    writeTextFile(dir / "short.img", std::string(100, '\xFF'));
    EXPECT_THROW(runVerb({"show", (dir / "short.img").string()}), std::runtime_error);
    EXPECT_THROW(runVerb({"convert", (dir / "a.txt").string(), (dir / "b.img").string()}),
                 std::invalid_argument);
    writeTextFile(dir / "type.chnw", "TES\r\n100\r\n");
    EXPECT_EQ(runVerb({"show", (dir / "type.chnw").string()}), 1);
    EXPECT_EQ(runVerb({"convert", (dir / "type.chnw").string()}), 2);
}

}  // namespace
}  // namespace lumo::cli
