#include "channels/channel_image.h"

#include <gtest/gtest.h>

#include <vector>

namespace lumo {
namespace {

using Bytes = std::vector<std::uint8_t>;

const Bytes kEmptyRecord{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                         0xFF, 0xFF, 0xFF, 0xFF, 0x95, 0x8F, 0xFE, 0xFF};

void fillRow(ChannelTable& table, int row, std::vector<std::string> texts) {
    for (std::size_t i = 0; i < texts.size(); ++i) {
        table.setCell(static_cast<int>(i) + 1, row, texts[i]);
    }
}

Bytes slice(const MemoryImage& image, std::size_t offset, std::size_t size) {
    return Bytes(image.begin() + static_cast<long>(offset),
                 image.begin() + static_cast<long>(offset + size));
}

TEST(ChannelImage, OnlyRowOneFilledGivesEmptyRecordsAndNamesElsewhere) {
    ChannelTable table;
    fillRow(table, 1,
            {"446.00625", "446.00625", "Off", "Off", "High", "25K", "Off", "Off", "QT", "Off", "On",
             "ab-1"});
    MemoryImage image{};
    StoreGridToImage(table, image);

    EXPECT_EQ(slice(image, 0, 16), (Bytes{0x25, 0x06, 0x60, 0x44, 0x25, 0x06, 0x60, 0x44, 0xFF,
                                          0xFF, 0xFF, 0xFF, 0x95, 0xFF, 0xFE, 0xFF}));
    Bytes name1(16, 0xFF);
    std::copy_n(Bytes{0x0A, 0x0B, 0xFF, 0x01}.begin(), 4, name1.begin());
    EXPECT_EQ(slice(image, 0x1000, 16), name1);
    for (int channel = 2; channel <= ChannelCount; ++channel) {
        ASSERT_EQ(slice(image, recordOffset(channel), 16), kEmptyRecord) << channel;
        ASSERT_EQ(slice(image, nameOffset(channel), 16), Bytes(16, 0xFF)) << channel;
    }
    // No field lies between the record area and the name area, nor after the names.
    EXPECT_EQ(slice(image, 0x0800, 0x0800), Bytes(0x0800, 0xFF));
    EXPECT_EQ(slice(image, 0x1800, 0x0800), Bytes(0x0800, 0xFF));
}

TEST(ChannelImage, RoundTripKeepsHiddenRows) {
    ChannelTable table;
    fillRow(table, 1,
            {"446.00625", "446.00625", "67.0", "D023N", "High", "25K", "Off", "DTMF", "QT+DTMF",
             "On", "On", "CALL1"});
    fillRow(table, 99,
            {"440.1", "", "Off", "Off", "Low", "12.5K", "On", "Off", "QT", "Off", "Off", ""});
    fillRow(table, 100,
            {"450.99375", "441.00000", "D754I", "254.1", "Low", "12.5K", "On", "Off", "QT*DTMF",
             "Off", "On", "ZZ9"});
    fillRow(
        table, 128,
        {"445.5", "445.5", "Off", "Off", "High", "25K", "Off", "Off", "QT", "Off", "On", "LAST"});
    ASSERT_EQ(table.rowCount(), 100);
    MemoryImage image{};
    StoreGridToImage(table, image);

    ChannelTable loaded;
    LoadGridFromImage(loaded, image);
    EXPECT_EQ(loaded.rowCount(), ChannelTable::kRows);
    EXPECT_EQ(loaded.rowFields(1), table.rowFields(1));
    EXPECT_EQ(loaded.cell(1, 99), "440.10000");
    EXPECT_EQ(loaded.rowFields(100), table.rowFields(100));
    EXPECT_EQ(loaded.cell(1, 128), "445.50000");
    EXPECT_EQ(loaded.cell(12, 128), "LAST");
    EXPECT_TRUE(loaded.rowIsEmpty(2));

    MemoryImage again{};
    StoreGridToImage(loaded, again);
    EXPECT_EQ(again, image);
}

TEST(ChannelImage, EmptyChannelKeepsTheNameCellOnLoad) {
    MemoryImage image = blankMemoryImage();
    image[nameOffset(5)] = 0x0A;  // a name without frequencies
    ChannelTable table;
    fillRow(
        table, 5,
        {"446.1", "446.1", "Off", "Off", "High", "25K", "Off", "Off", "QT", "Off", "On", "OLD"});
    LoadGridFromImage(table, image);
    EXPECT_EQ(table.cell(1, 5), "");
    EXPECT_EQ(table.cell(11, 5), "");
    EXPECT_EQ(table.cell(12, 5), "OLD");

    // With a frequency the name comes from the image, even an empty one.
    image[recordOffset(5) + 3] = 0x44;
    LoadGridFromImage(table, image);
    EXPECT_EQ(table.cell(12, 5), "A");
}

TEST(ChannelImage, UnconvertibleCellNamesChannelColumnAndTextAndChangesNothing) {
    ChannelTable table;
    fillRow(table, 7, {"446.1", "446.1", "abc"});
    MemoryImage image = blankMemoryImage();
    image[3] = 0x12;
    const MemoryImage before = image;
    try {
        StoreGridToImage(table, image);
        FAIL();
    } catch (const ConversionError& e) {
        EXPECT_STREQ(e.what(), "channel 7, CTCSS/DCS Dec: \"abc\" is not a number");
        EXPECT_EQ(e.channel(), 7);
        EXPECT_EQ(e.column(), 3);
    }
    EXPECT_EQ(image, before);
}

}  // namespace
}  // namespace lumo
