#include "channels/channel_image.h"

#include <algorithm>

namespace lumo {

void LoadGridFromImage(ChannelTable& table, const MemoryImage& image,
                       const ChannelVocabulary& vocabulary) {
    table.setRowCount(ChannelTable::kRows);
    for (int row = 1; row <= ChannelCount; ++row) {
        const auto record = std::span<const std::uint8_t, kChannelRecordSize>(
            image.data() + recordOffset(row), kChannelRecordSize);
        const ChannelFields fields = DecodeChannelRecord(record, vocabulary);
        for (int column = 1; column <= 11; ++column) {
            table.setCell(column, row, fields[static_cast<std::size_t>(column)]);
        }
        if (!table.cell(1, row).empty() || !table.cell(2, row).empty()) {
            const auto codes = std::span<const std::uint8_t, kNameLength>(
                image.data() + nameOffset(row), kNameLength);
            table.setCell(12, row, decodeName(codes));
        }
    }
}

void StoreGridToImage(const ChannelTable& table, MemoryImage& image,
                      const ChannelVocabulary& vocabulary) {
    MemoryImage built = blankMemoryImage();
    for (int row = 1; row <= ChannelCount; ++row) {
        ChannelRecord record;
        try {
            record = EncodeChannelRecord(table.rowFields(row), vocabulary);
        } catch (const ConversionError& e) {
            throw ConversionError(e, row, columnName(table, e.column()));
        }
        const NameCodes name = encodeName(table.cell(12, row));
        std::copy(record.begin(), record.end(),
                  built.begin() + static_cast<long>(recordOffset(row)));
        std::copy(name.begin(), name.end(), built.begin() + static_cast<long>(nameOffset(row)));
    }
    image = built;
}

}  // namespace lumo
