#include <gtest/gtest.h>

#include "channels/channel_commands.h"

namespace lumo {
namespace {

// The window replaces a frequency it cannot take by "440.00000", so a write takes the
// band limits themselves.
TEST(ChannelWriteCheck, FrequenciesMustLieInsideTheBandOrAtItsLimits) {
    LanguageStrings strings;
    Session session(strings);
    session.setUp();
    for (const std::string inside : {"440.00625", "450.99375", "446.1", "440.00000", "440", "451"}) {
        for (const int column : {1, 2}) {
            ChannelTable table;
            table.setCell(column, 128, inside);
            EXPECT_NO_THROW(checkTableForWrite(table, session)) << inside;
        }
    }
    for (const std::string outside : {"439.99375", "451.00625", "439.9875", "451.0125", "0"}) {
        for (const int column : {1, 2}) {
            ChannelTable table;
            table.setCell(column, 128, outside);
            try {
                checkTableForWrite(table, session);
                ADD_FAILURE() << outside;
            } catch (const ConversionError& e) {
                EXPECT_EQ(e.what(), "channel 128, " + columnName(table, column) + ": \"" + outside +
                                        "\" is outside 440-451 MHz");
                EXPECT_EQ(e.column(), column);
            }
        }
    }
}

}  // namespace
}  // namespace lumo
