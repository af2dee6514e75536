#include "channels/print_layout.h"

namespace lumo {
namespace {

constexpr int kImageMargin = 80;

PageItem line(int fromX, int fromY, int toX, int toY) {
    return {PageItem::Kind::Line, {fromX, fromY, toX, toY}, 0, {}, 0};
}

}  // namespace

std::vector<PrintedPage> layoutChannelTable(const ChannelTable& table, const PrintMetrics& metrics,
                                            int pageHeight) {
    std::vector<int> widths;
    for (int column = 0; column < table.columnCount(); ++column) {
        widths.push_back(metrics.textWidth(table.cell(column, 0)) + kPrintCellPadding);
    }
    const int height = metrics.textHeight + kPrintCellPadding;
    std::vector<PrintedPage> pages(1);
    int y = kPrintMargin;
    for (int row = 0; row < table.rowCount(); ++row) {
        PrintedPage& page = pages.back();
        const std::uint32_t fill = row == 0 ? kTitleRowFill : kChannelRowFill;
        int x = kPrintMargin;
        for (int column = 0; column < table.columnCount(); ++column) {
            const int w = widths[static_cast<std::size_t>(column)];
            const PageRect cell{x, y, x + w, y + height};
            page.push_back({PageItem::Kind::Fill, cell, fill, {}, 0});
            page.push_back({PageItem::Kind::Text, cell, 0, table.cell(column, row), kPrintTextOffset});
            page.push_back(line(x + w, y, x, y));
            page.push_back(line(x, y, x, y + height));
            page.push_back(line(x, y + height, x + w, y + height));
            x += w;
        }
        page.push_back(line(x, y + height, x, y));
        y += height;
        // The reserve is smaller than a row at a printer's resolution, so a row that
        // would pass the page's end starts the next page too, rather than being cut.
        const bool full = y >= pageHeight - kPrintBottomReserve || y + height > pageHeight;
        if (full && row + 1 < table.rowCount()) {
            pages.emplace_back();
            y = kPrintMargin;
        }
    }
    return pages;
}

PageRect windowImageArea(int pageWidth, int pageHeight) {
    return {kImageMargin, kImageMargin, pageWidth - kImageMargin, pageHeight / 2 - kImageMargin};
}

}  // namespace lumo
