#pragma once

#include <array>
#include <string>

#include "base/languagestr.h"
#include "channels/channel_codec.h"

namespace lumo {

// The channel grid's cells as a model the window is a view of: a title row and one row
// per channel, 13 columns (column 0 the channel number). The row count is what the
// grid shows, title row included; rows beyond it are hidden, not emptied.
class ChannelTable {
  public:
    static constexpr int kRows = ChannelCount + 1;
    static constexpr int kColumns = 13;
    // Title row and channels 1..99, what a channel window shows.
    static constexpr int kShownRowCount = 100;

    explicit ChannelTable(const LanguageStrings& strings = defaultStrings());

    // Column `column`, row `row` (row 0 the titles). Out of range throws std::out_of_range.
    const std::string& cell(int column, int row) const;
    void setCell(int column, int row, std::string text);

    int rowCount() const { return rowCount_; }
    // 1..kRows; throws std::out_of_range otherwise.
    void setRowCount(int rows);
    int columnCount() const { return kColumns; }

    // Cells 1..12 of a channel row, as the codec takes them.
    ChannelFields rowFields(int row) const;
    // Whether cells 1..12 of a row are all empty.
    bool rowIsEmpty(int row) const;

    friend bool operator==(const ChannelTable& a, const ChannelTable& b) {
        return a.rowCount_ == b.rowCount_ && a.cells_ == b.cells_;
    }

  private:
    std::string& at(int column, int row);

    std::array<std::array<std::string, kColumns>, kRows> cells_;
    int rowCount_ = kShownRowCount;
};

// Columns the window keeps hidden (OptSingal, SPUnmute, CH-Name).
bool isHiddenColumn(int column);

// A column title without its surrounding blanks, for messages.
std::string columnName(const ChannelTable& table, int column);

}  // namespace lumo
