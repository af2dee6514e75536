#include "channels/channel_cell_speech.h"

#include <gtest/gtest.h>

namespace lumo {
namespace {

TEST(ChannelCellSpeech, SaysChannelColumnTitleAndText) {
    ChannelTable table;
    table.setCell(0, 7, "7");
    table.setCell(1, 7, "446.00625");
    table.setCell(0, 1, "1");
    table.setCell(0, 0, "  ");  // a title of blanks alone still names its column
    struct Case {
        int column;
        int row;
        bool picked;
        std::string spoken;
    };
    const std::string rx = columnName(table, 1);
    const std::string tx = columnName(table, 2);
    ASSERT_FALSE(rx.empty());
    const Case cases[] = {
        {1, 7, false, "channel 7, " + rx + ", 446.00625"},
        {2, 7, false, "channel 7, " + tx + ", empty"},
        {0, 1, true, "channel 1, column 1, 1, picked"},
        {1, 7, true, "channel 7, " + rx + ", 446.00625"},  // only the number is picked
    };
    for (const Case& c : cases) {
        EXPECT_EQ(spokenCell(table, c.column, c.row, c.picked), c.spoken);
    }
}

}  // namespace
}  // namespace lumo
