#include "channels/channel_cell_speech.h"

namespace lumo {

std::string spokenCellPlace(const ChannelTable& table, int column, int row) {
    std::string title = columnName(table, column);
    if (title.empty()) {
        title = "column " + std::to_string(column + 1);
    }
    return "channel " + std::to_string(row) + ", " + title;
}

std::string spokenCell(const ChannelTable& table, int column, int row, bool picked) {
    const std::string& text = table.cell(column, row);
    std::string spoken = spokenCellPlace(table, column, row) + ", " +
                         (text.empty() ? std::string("empty") : text);
    if (picked && column == 0) {
        spoken += ", picked";
    }
    return spoken;
}

}  // namespace lumo
