// Rearranging channels: insert, delete, move and sort keep every channel whole.
#include "channels/channel_reorder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "channels/channel_selection.h"

namespace lumo {
namespace {

using ::testing::HasSubstr;
using Marks = std::vector<std::string>;

constexpr int kLast = 6;

// A table of six channels, each marked by its RX cell ("" for an empty channel);
// the mark is also in every other cell, so a channel that moves in pieces shows.
ChannelTable tableOf(const Marks& marks) {
    ChannelTable table;
    table.setRowCount(kLast + 1);
    for (int row = 1; row <= kLast; ++row) {
        const std::string& mark = marks[static_cast<std::size_t>(row - 1)];
        for (int column = 1; column < ChannelTable::kColumns && !mark.empty(); ++column) {
            table.setCell(column, row, column == 1 ? mark : mark + std::to_string(column));
        }
    }
    // A hidden row past the last channel, which no edit may touch.
    table.setCell(1, kLast + 1, "hidden");
    return table;
}

Marks marksOf(const ChannelTable& table) {
    Marks marks;
    for (int row = 1; row <= kLast; ++row) {
        const std::string& mark = table.cell(1, row);
        for (int column = 2; column < ChannelTable::kColumns; ++column) {
            EXPECT_EQ(table.cell(column, row), mark.empty() ? "" : mark + std::to_string(column))
                << "row " << row << " was not moved whole";
        }
        marks.push_back(mark);
    }
    EXPECT_EQ(table.cell(1, kLast + 1), "hidden");
    return marks;
}

const Marks kFull{"A", "B", "C", "D", "E", "F"};
const Marks kLastFree{"A", "B", "C", "D", "E", ""};

struct ReorderCase {
    const char* what;
    Marks before;
    std::function<RowMoves(ChannelTable&)> edit;
    Marks after;  // empty when the edit is refused
    const char* refusal = "";
};

TEST(ChannelReorderTest, EditsMoveWholeChannelsOrRefuseWithoutChange) {
    const std::vector<ReorderCase> cases{
        {"insert at the first", kLastFree, [](auto& t) { return insertChannel(t, 1, kLast); },
         {"", "A", "B", "C", "D", "E"}},
        {"insert at the last", kLastFree, [](auto& t) { return insertChannel(t, kLast, kLast); },
         kLastFree},
        {"insert pushing out the last channel", kFull,
         [](auto& t) { return insertChannel(t, 3, kLast); }, {}, "Channel 6 is in use"},
        {"delete the first", kFull, [](auto& t) { return deleteChannels(t, {1}, kLast); },
         {"B", "C", "D", "E", "F", ""}},
        {"delete scattered", kFull, [](auto& t) { return deleteChannels(t, {4, 2}, kLast); },
         {"A", "C", "E", "F", "", ""}},
        {"delete the last", kFull, [](auto& t) { return deleteChannels(t, {6}, kLast); },
         {"A", "B", "C", "D", "E", ""}},
        {"delete past the table", kFull, [](auto& t) { return deleteChannels(t, {7}, kLast); }, {},
         "There is no channel 7"},
        {"move a block down", kFull, [](auto& t) { return moveChannelsTo(t, {1, 2}, 4, kLast); },
         {"C", "D", "E", "A", "B", "F"}},
        {"move the end block to the top", kFull,
         [](auto& t) { return moveChannelsTo(t, {5, 6}, 1, kLast); },
         {"E", "F", "A", "B", "C", "D"}},
        {"move a block past the end", kFull,
         [](auto& t) { return moveChannelsTo(t, {5, 6}, 6, kLast); }, {}, "cannot start at channel 6"},
        {"move scattered channels together", kFull,
         [](auto& t) { return moveChannelsTo(t, {1, 3, 6}, 2, kLast); },
         {"B", "A", "C", "F", "D", "E"}},
        {"block one up", kFull, [](auto& t) { return moveChannelsBy(t, {2, 3}, -1, kLast); },
         {"B", "C", "A", "D", "E", "F"}},
        {"scattered one down", kFull, [](auto& t) { return moveChannelsBy(t, {2, 4}, 1, kLast); },
         {"A", "C", "B", "E", "D", "F"}},
        {"the first one up", kFull, [](auto& t) { return moveChannelsBy(t, {1, 3}, -1, kLast); },
         kFull},
        {"the end block down", kFull, [](auto& t) { return moveChannelsBy(t, {5, 6}, 1, kLast); },
         kFull},
    };
    for (const ReorderCase& c : cases) {
        ChannelTable table = tableOf(c.before);
        const ChannelTable before = table;
        if (c.after.empty()) {
            try {
                c.edit(table);
                ADD_FAILURE() << c.what << ": not refused";
            } catch (const ChannelEditRefused& e) {
                EXPECT_THAT(e.what(), HasSubstr(c.refusal)) << c.what;
            }
            EXPECT_EQ(table, before) << c.what;
            continue;
        }
        c.edit(table);
        EXPECT_EQ(marksOf(table), c.after) << c.what;
    }
}

TEST(ChannelReorderTest, MovesTellWhereEachChannelWent) {
    ChannelTable table = tableOf(kFull);
    const RowMoves moves = moveChannelsTo(table, {1, 2}, 4, kLast);
    EXPECT_EQ(std::vector<int>(moves.begin() + 1, moves.begin() + 8),
              (std::vector<int>{4, 5, 1, 2, 3, 6, 7}));
    ChannelSelection picked;
    picked.set({1, 2});
    picked.follow(moves);
    EXPECT_EQ(picked.channels(), (std::vector<int>{4, 5}));

    const RowMoves deleted = deleteChannels(table, {2}, kLast);
    EXPECT_EQ(deleted[2], 0);
    EXPECT_EQ(deleted[3], 2);
    picked.set({2, 3});
    picked.follow(deleted);
    EXPECT_EQ(picked.channels(), (std::vector<int>{2}));
}

TEST(ChannelReorderTest, DropInFrontOfARowKeepsTheBlockAboveIt) {
    // Rows 2 and 3 dropped in front of row 6 land on 4 and 5, just above what was 6.
    EXPECT_EQ(firstRowOfDrop({2, 3}, 6), 4);
    EXPECT_EQ(firstRowOfDrop({4, 5}, 1), 1);
    EXPECT_EQ(firstRowOfDrop({1}, kLast + 1), kLast);
    ChannelTable table = tableOf(kFull);
    moveChannelsTo(table, {2, 3}, firstRowOfDrop({2, 3}, 6), kLast);
    EXPECT_EQ(marksOf(table), (Marks{"A", "D", "E", "B", "C", "F"}));
}

// A table whose channels have the given RX and name cells (RX "" for an empty channel).
ChannelTable sortTable(const std::vector<std::pair<std::string, std::string>>& channels) {
    ChannelTable table;
    table.setRowCount(kLast + 1);
    int row = 1;
    for (const auto& [rx, name] : channels) {
        if (!rx.empty()) {
            table.setCell(1, row, rx);
            table.setCell(2, row, rx);
            table.setCell(5, row, "High");
            table.setCell(12, row, name);
        }
        ++row;
    }
    return table;
}

std::vector<std::string> namesOf(const ChannelTable& table) {
    std::vector<std::string> names;
    for (int row = 1; row <= kLast; ++row) {
        names.push_back(table.rowIsEmpty(row) ? "-" : table.cell(12, row));
    }
    return names;
}

TEST(ChannelReorderTest, SortsAsNumbersStablyWithEmptyChannelsLast) {
    const auto channels = std::vector<std::pair<std::string, std::string>>{
        {"446.50000", "b"}, {"", ""}, {"441.00000", "A"}, {"446.5", "a"}, {"446.05000", ""},
        {"99.5", "Z"}};
    ChannelTable byRx = sortTable(channels);
    sortChannels(byRx, {}, SortKey::RxFrequency, kLast);
    // 99.5 before 441 as a number, though not as text; equal values keep their order.
    EXPECT_EQ(namesOf(byRx), (std::vector<std::string>{"Z", "A", "", "b", "a", "-"}));

    ChannelTable byName = sortTable(channels);
    sortChannels(byName, {}, SortKey::Name, kLast);
    EXPECT_EQ(namesOf(byName), (std::vector<std::string>{"A", "a", "b", "Z", "", "-"}));

    // Only the picked channels trade places; the others stay.
    ChannelTable some = sortTable(channels);
    sortChannels(some, {1, 3, 6}, SortKey::RxFrequency, kLast);
    EXPECT_EQ(namesOf(some), (std::vector<std::string>{"Z", "-", "A", "a", "", "b"}));
}

TEST(ChannelReorderTest, SelectionClicksShiftAndCtrl) {
    ChannelSelection picked;
    picked.click(5);
    picked.extendTo(2);
    EXPECT_EQ(picked.channels(), (std::vector<int>{2, 3, 4, 5}));
    picked.toggle(3);
    EXPECT_EQ(picked.channels(), (std::vector<int>{2, 4, 5}));
    picked.extendTo(1, true);  // from the last Ctrl-click, keeping the rest
    EXPECT_EQ(picked.channels(), (std::vector<int>{1, 2, 3, 4, 5}));
    picked.extendTo(4);  // Shift alone replaces
    EXPECT_EQ(picked.channels(), (std::vector<int>{3, 4}));
    picked.selectAll(6);
    picked.limitTo(2);
    EXPECT_EQ(picked.channels(), (std::vector<int>{1, 2}));
    EXPECT_EQ(channelNumbersText({7, 1, 2, 3, 5}), "1-3, 5, 7");
}

TEST(ChannelReorderTest, ChannelsAreNamedInTheNumberTheyAre) {
    const struct {
        std::vector<int> rows;
        const char* numbers;
        const char* named;
    } cases[] = {
        {{9}, "9", "channel 9"},
        {{12, 9, 10, 11}, "9-12", "channels 9-12"},
        {{9, 10}, "9-10", "channels 9-10"},
        {{12, 3, 5, 9, 10, 11}, "3, 5, 9-12", "channels 3, 5, 9-12"},
        {{128, 100}, "100, 128", "channels 100, 128"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(channelNumbersText(c.rows), c.numbers);
        EXPECT_EQ(channelsNamed(c.numbers), c.named);
    }
}

}  // namespace
}  // namespace lumo
