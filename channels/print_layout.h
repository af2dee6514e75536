#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "channels/channel_table.h"

namespace lumo {

// A rectangle or line in a page's device units: from (left, top) to (right, bottom).
struct PageRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const PageRect&) const = default;
};

// One thing to draw on a page.
struct PageItem {
    enum class Kind {
        Fill,  // `area` filled with `colour` (0x00BBGGRR), no outline
        Line,  // from (area.left, area.top) to (area.right, area.bottom), black
        Text,  // `text` centred across `area`, its top at area.top + `textOffset`, clipped to `area`
    };
    Kind kind = Kind::Fill;
    PageRect area;
    std::uint32_t colour = 0;
    std::string text;
    int textOffset = 0;
    bool operator==(const PageItem&) const = default;
};

using PrintedPage = std::vector<PageItem>;

// How the printer measures text in its font, in device units.
struct PrintMetrics {
    std::function<int(const std::string&)> textWidth;
    int textHeight = 0;
};

inline constexpr std::uint32_t kTitleRowFill = 0xFFF8F0;
inline constexpr std::uint32_t kChannelRowFill = 0xF6FFF7;
inline constexpr int kPrintMargin = 18;
inline constexpr int kPrintCellPadding = 16;
inline constexpr int kPrintTextOffset = 8;
// A new page begins once the next row's top would be this close to the page's end,
// or once the next row would not fit above it.
inline constexpr int kPrintBottomReserve = 80;

// The channel table as a ruled grid of cells, page by page: every column (hidden
// ones too) as wide as its title + 16, every row as high as the text + 16, the title
// row first, then rows 1 .. the shown row count - 1.
std::vector<PrintedPage> layoutChannelTable(const ChannelTable& table, const PrintMetrics& metrics,
                                            int pageHeight);

// Where a window's picture goes: (80, 80) .. (page width - 80, page height / 2 - 80).
PageRect windowImageArea(int pageWidth, int pageHeight);

}  // namespace lumo
