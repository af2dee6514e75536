#include "channels/channel_table.h"

#include <stdexcept>

#include "link/hex_text.h"

namespace lumo {

ChannelTable::ChannelTable(const LanguageStrings& strings) {
    for (int column = 0; column < kColumns; ++column) {
        at(column, 0) = strings.columnTitles[static_cast<std::size_t>(column)];
    }
    for (int row = 1; row < kRows; ++row) {
        at(0, row) = std::to_string(row);
    }
}

namespace {

void checkCell(int column, int row) {
    if (column < 0 || column >= ChannelTable::kColumns || row < 0 || row >= ChannelTable::kRows) {
        throw std::out_of_range("no cell at column " + std::to_string(column) + ", row " +
                                std::to_string(row));
    }
}

}  // namespace

std::string& ChannelTable::at(int column, int row) {
    checkCell(column, row);
    return cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

const std::string& ChannelTable::cell(int column, int row) const {
    checkCell(column, row);
    return cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

void ChannelTable::setCell(int column, int row, std::string text) {
    at(column, row) = std::move(text);
}

void ChannelTable::setRowCount(int rows) {
    if (rows < 1 || rows > kRows) {
        throw std::out_of_range("a channel table has 1 to " + std::to_string(kRows) +
                                " rows, not " + std::to_string(rows));
    }
    rowCount_ = rows;
}

ChannelFields ChannelTable::rowFields(int row) const {
    ChannelFields fields;
    for (int column = 1; column < kColumns; ++column) {
        fields[static_cast<std::size_t>(column)] = cell(column, row);
    }
    return fields;
}

bool ChannelTable::rowIsEmpty(int row) const {
    for (int column = 1; column < kColumns; ++column) {
        if (!cell(column, row).empty()) {
            return false;
        }
    }
    return true;
}

bool isHiddenColumn(int column) {
    return column == 8 || column == 9 || column == 12;
}

std::string columnName(const ChannelTable& table, int column) {
    return std::string(trimBlanks(table.cell(column, 0)));
}

}  // namespace lumo
