#include "channels/print_layout.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace lumo {
namespace {

// Six units per character and text ten units high: cells are 16 higher and wider.
const PrintMetrics kMetrics{[](const std::string& text) { return static_cast<int>(text.size()) * 6; }, 10};
constexpr int kRowHeight = 10 + 16;

std::vector<const PageItem*> itemsOf(const PrintedPage& page, PageItem::Kind kind) {
    std::vector<const PageItem*> found;
    for (const PageItem& item : page) {
        if (item.kind == kind) {
            found.push_back(&item);
        }
    }
    return found;
}

TEST(PrintLayout, CellsTakeTheirColumnTitlesWidthAndAreFilledRuledBoxes) {
    ChannelTable table;
    table.setRowCount(3);
    table.setCell(1, 1, "446.00625");
    const auto pages = layoutChannelTable(table, kMetrics, 10000);
    ASSERT_EQ(pages.size(), 1u);
    const auto fills = itemsOf(pages[0], PageItem::Kind::Fill);
    ASSERT_EQ(fills.size(), 3u * 13u);  // every column, hidden ones too, every row
    int x = kPrintMargin;
    for (int column = 0; column < 13; ++column) {
        const int width = static_cast<int>(table.cell(column, 0).size()) * 6 + 16;
        EXPECT_EQ(fills[static_cast<std::size_t>(column)]->area,
                  (PageRect{x, 18, x + width, 18 + kRowHeight}))
            << "column " << column;
        x += width;
    }
    EXPECT_EQ(fills[0]->colour, 0xFFF8F0u);
    EXPECT_EQ(fills[13]->colour, 0xF6FFF7u);
    EXPECT_EQ(fills[13]->area.top, 18 + kRowHeight);

    const auto texts = itemsOf(pages[0], PageItem::Kind::Text);
    std::vector<std::string> titles;
    for (int column = 0; column < 13; ++column) {
        titles.push_back(texts[static_cast<std::size_t>(column)]->text);
    }
    for (const char* hidden : {" OptSingal ", " SPUnmute ", " CH-Name "}) {
        EXPECT_NE(std::find(titles.begin(), titles.end(), hidden), titles.end()) << hidden;
    }
    EXPECT_EQ(texts[14]->text, "446.00625");
    EXPECT_EQ(texts[14]->textOffset, 8);
    EXPECT_EQ(texts[14]->area, fills[14]->area);
    EXPECT_EQ(texts[13 * 2 + 1]->text, "");  // an empty cell still has its box

    // Each cell: top edge right to left, left edge down, bottom edge left to right;
    // each row ends with the right edge of its last cell, drawn upwards.
    const auto lines = itemsOf(pages[0], PageItem::Kind::Line);
    ASSERT_EQ(lines.size(), 3u * (13u * 3u + 1u));
    const PageRect first = fills[0]->area;
    EXPECT_EQ(lines[0]->area, (PageRect{first.right, first.top, first.left, first.top}));
    EXPECT_EQ(lines[1]->area, (PageRect{first.left, first.top, first.left, first.bottom}));
    EXPECT_EQ(lines[2]->area, (PageRect{first.left, first.bottom, first.right, first.bottom}));
    EXPECT_EQ(lines[39]->area, (PageRect{x, 18 + kRowHeight, x, 18}));
}

TEST(PrintLayout, ANewPageBeginsOnceTheNextRowWouldReachTheReserve) {
    ChannelTable table;
    table.setRowCount(ChannelTable::kRows);
    // Rows start at 18, 44, 70, ...: with a page of 18 + 4 * 26 + 80 units the fourth
    // row ends exactly at the reserve, so the fifth starts a page at 18.
    const struct {
        int pageHeight;
        std::size_t rowsOnFirstPage;
    } cases[] = {{18 + 4 * kRowHeight + 80, 4}, {18 + 4 * kRowHeight + 81, 5}, {18 + 4 * kRowHeight + 79, 4}};
    for (const auto& c : cases) {
        const auto pages = layoutChannelTable(table, kMetrics, c.pageHeight);
        EXPECT_EQ(itemsOf(pages[0], PageItem::Kind::Fill).size(), c.rowsOnFirstPage * 13) << c.pageHeight;
        const auto next = itemsOf(pages[1], PageItem::Kind::Fill);
        EXPECT_EQ(next[0]->area.top, 18);
        std::size_t rows = 0;
        for (const auto& page : pages) {
            rows += itemsOf(page, PageItem::Kind::Fill).size() / 13;
        }
        EXPECT_EQ(rows, 129u);  // the title row and all 128 channels shown
        EXPECT_FALSE(pages.back().empty());  // no blank page at the end
    }
}

TEST(PrintLayout, ARowTallerThanTheReserveIsNeverCutAtThePageEnd) {
    ChannelTable table;
    table.setRowCount(ChannelTable::kRows);
    // Text 100 units high: rows of 116 end at 134, 250, ... 830, 946. With a page of
    // 940 the eighth row would pass its end though its top is clear of the reserve.
    const PrintMetrics tall{kMetrics.textWidth, 100};
    const auto pages = layoutChannelTable(table, tall, 940);
    EXPECT_EQ(itemsOf(pages[0], PageItem::Kind::Fill).size(), 7u * 13u);
    std::size_t rows = 0;
    for (const auto& page : pages) {
        for (const PageItem& item : page) {
            EXPECT_LE(std::max(item.area.top, item.area.bottom), 940);
        }
        rows += itemsOf(page, PageItem::Kind::Fill).size() / 13;
    }
    EXPECT_EQ(rows, 129u);
}

TEST(PrintLayout, AWindowPictureTakesTheUpperHalfOfThePage) {
    EXPECT_EQ(windowImageArea(4960, 7016), (PageRect{80, 80, 4880, 3428}));
}

}  // namespace
}  // namespace lumo
