// lumo-cli with CHIRP CSV files, run in-process on files in a temporary folder.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "channels/chirp_csv.h"
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
using ::testing::HasSubstr;

const std::vector<std::string> kChannelOne{"446.00625", "445.50000", "D023N", "67.0",
                                           "Low",       "12.5K",     "On",    "DTMF",
                                           "QT+DTMF",   "On",        "Off",   "AB1"};

const std::string kCsvHeader = std::string(kChirpCsvHeader) + "\r\n";

TEST(CliChirpCsv, ChannelFileToCsvAndBackGivesTheSameFile) {
    TempDir dir;
    writeTextFile(dir / "in.chnw", channelOneFile(kChannelOne));
    ASSERT_EQ(runVerb({"convert", (dir / "in.chnw").string(), (dir / "out.csv").string()}), 0);
    EXPECT_EQ(readTextFile(dir / "out.csv"),
              kCsvHeader +
                  "1,AB1,446.006250,-,0.506250,Cross,67.0,88.5,023,NN,023,Tone->DTCS,NFM,6.25,S,"
                  "1.0W,,,,,,On,DTMF,QT+DTMF,On\r\n");
    ASSERT_EQ(runVerb({"convert", (dir / "out.csv").string(), (dir / "back.chnw").string()}), 0);
    EXPECT_EQ(readTextFile(dir / "back.chnw"), readTextFile(dir / "in.chnw"));
}

TEST(CliChirpCsv, CsvToImageHoldsAll128AndAChannelFileShowsThem) {
    TempDir dir;
    writeTextFile(dir / "in.csv", "Location,Frequency\r\n128,440.000000\r\n1,446.000000\r\n");
    ASSERT_EQ(runVerb({"convert", (dir / "in.csv").string(), (dir / "out.img").string()}), 0);
    const MemoryImage image = readImageFile(dir / "out.img");
    EXPECT_EQ(image[recordOffset(128) + 3], 0x44);
    EXPECT_EQ(image[recordOffset(1) + 3], 0x44);
    EXPECT_EQ(image[recordOffset(2)], 0xFF);

    ASSERT_EQ(runVerb({"convert", (dir / "in.csv").string(), (dir / "all.chnw").string()}), 0);
    EXPECT_EQ(readTextFile(dir / "all.chnw").substr(0, 10), "tes\r\n129\r\n");
}

TEST(CliChirpCsv, ARefusedFileWritesNothingAndSkipInvalidTakesTheRest) {
    TempDir dir;
    writeTextFile(dir / "in.csv",
                  "Location,Frequency,Name\r\n1,446.000000,ok\r\n2,460.000000,far\r\n"
                  "2,446.5,\r\n3,,\r\n");
    try {
        runVerb({"convert", (dir / "in.csv").string(), (dir / "out.chnw").string()});
        FAIL() << "converted";
    } catch (const ChirpCsvError& e) {
        EXPECT_THAT(e.what(), HasSubstr("\nline 3: Frequency \"460.000000\" is outside"));
        EXPECT_THAT(e.what(), HasSubstr("\nline 4: Location 2 is given twice"));
        EXPECT_THAT(e.what(), HasSubstr("\nline 5: Frequency \"\" is not a number"));
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "out.chnw"));

    testing::internal::CaptureStderr();
    ASSERT_EQ(runVerb({"convert", "--skip-invalid", (dir / "in.csv").string(),
                       (dir / "out.chnw").string()}),
              0);
    const std::string messages = testing::internal::GetCapturedStderr();
    EXPECT_THAT(messages, HasSubstr("3 rows skipped:\nline 3: "));
    EXPECT_THAT(messages, HasSubstr("\nline 2: Name \"ok\" became \"OK\""));

    testing::internal::CaptureStdout();
    ASSERT_EQ(runVerb({"show", (dir / "out.chnw").string()}), 0);
    const std::string listing = testing::internal::GetCapturedStdout();
    EXPECT_THAT(listing, HasSubstr("\n1        446.00000"));
    EXPECT_EQ(std::count(listing.begin(), listing.end(), '\n'), 2);
}

TEST(CliChirpCsv, ConvertTakesCommentsAndWarnsOfCodesChirpLacks) {
    TempDir dir;
    writeTextFile(dir / "net.csv",
                  "# Channels for the club net\r\nLocation,Frequency,Tone,DtcsCode\r\n"
                  "3,446.000000,DTCS,645\r\n4,446.500000,DTCS,654\r\n9,446.100000,DTCS,645\r\n");
    testing::internal::CaptureStderr();
    ASSERT_EQ(runVerb({"convert", (dir / "net.csv").string(), (dir / "net.chnw").string()}), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");

    testing::internal::CaptureStderr();
    ASSERT_EQ(runVerb({"convert", (dir / "net.chnw").string(), (dir / "out.csv").string()}), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "lumo-cli convert: warning: DCS 645 is not in CHIRP's list; CHIRP opens these "
              "channels but will not edit them: 3, 9\n");
    EXPECT_THAT(readTextFile(dir / "out.csv"), HasSubstr("\r\n9,,446.100000,,0.000000,DTCS,"));
}

TEST(CliChirpCsv, ShowReadsACsvFile) {
    TempDir dir;
    writeTextFile(dir / "in.CSV", "Location,Name,Frequency\r\n7,HOME,446.012500\r\n");
    testing::internal::CaptureStdout();
    ASSERT_EQ(runVerb({"show", "--all", (dir / "in.CSV").string()}), 0);
    const std::string listing = testing::internal::GetCapturedStdout();
    EXPECT_THAT(listing, HasSubstr("\n7        446.01250          446.01250"));
    EXPECT_THAT(listing, HasSubstr("On           HOME\n"));
}

}  // namespace
}  // namespace lumo::cli
