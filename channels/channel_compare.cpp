#include "channels/channel_compare.h"

#include <algorithm>
#include <cstdio>

#include "channels/channel_image.h"

namespace lumo {
namespace {

std::string hexBytes(const MemoryImage& image, std::size_t offset) {
    std::string text;
    for (std::size_t i = 0; i < kChannelRecordSize; ++i) {
        char byte[4];
        std::snprintf(byte, sizeof byte, "%02X", image[offset + i]);
        text += (i == 0 ? "" : " ") + std::string(byte);
    }
    return text;
}

bool sameBytes(const MemoryImage& a, const MemoryImage& b, std::size_t offset, std::size_t length) {
    return std::equal(a.begin() + static_cast<long>(offset), a.begin() + static_cast<long>(offset + length),
                      b.begin() + static_cast<long>(offset));
}

}  // namespace

ChannelFields channelFieldsOf(const MemoryImage& image, int channel,
                              const ChannelVocabulary& vocabulary) {
    ChannelFields fields = DecodeChannelRecord(
        std::span<const std::uint8_t, kChannelRecordSize>(image.data() + recordOffset(channel),
                                                          kChannelRecordSize),
        vocabulary);
    fields[12] = decodeName(
        std::span<const std::uint8_t, kNameLength>(image.data() + nameOffset(channel), kNameLength));
    return fields;
}

std::vector<ChannelDifference> compareTables(const ChannelTable& left, const ChannelTable& right) {
    std::vector<ChannelDifference> differences;
    for (int channel = 1; channel <= ChannelCount; ++channel) {
        ChannelDifference difference{channel, {}};
        for (int column = 1; column < ChannelTable::kColumns; ++column) {
            const std::string& a = left.cell(column, channel);
            const std::string& b = right.cell(column, channel);
            if (a != b) {
                difference.columns.push_back({column, a, b});
            }
        }
        if (!difference.columns.empty()) {
            differences.push_back(std::move(difference));
        }
    }
    return differences;
}

std::vector<ChannelDifference> compareWrittenChannels(const MemoryImage& wrote, const MemoryImage& holds,
                                                      const ChannelVocabulary& vocabulary) {
    std::vector<ChannelDifference> differences;
    for (int channel = 1; channel <= ChannelCount; ++channel) {
        if (sameBytes(wrote, holds, recordOffset(channel), kChannelRecordSize) &&
            sameBytes(wrote, holds, nameOffset(channel), kNameSlotSize)) {
            continue;
        }
        const ChannelFields sent = channelFieldsOf(wrote, channel, vocabulary);
        const ChannelFields held = channelFieldsOf(holds, channel, vocabulary);
        ChannelDifference difference{channel, {}};
        for (int column = 1; column < ChannelTable::kColumns; ++column) {
            const auto at = static_cast<std::size_t>(column);
            if (sent[at] != held[at]) {
                difference.columns.push_back({column, sent[at], held[at]});
            }
        }
        if (!difference.columns.empty()) {
            differences.push_back(std::move(difference));
        }
    }
    return differences;
}

std::vector<ChannelDifference> compareChannelBytes(const MemoryImage& left, const MemoryImage& right) {
    std::vector<ChannelDifference> differences;
    for (int channel = 1; channel <= ChannelCount; ++channel) {
        ChannelDifference difference{channel, {}};
        for (const std::size_t offset : {recordOffset(channel), nameOffset(channel)}) {
            if (!sameBytes(left, right, offset, kChannelRecordSize)) {
                difference.columns.push_back({0, hexBytes(left, offset), hexBytes(right, offset)});
            }
        }
        if (!difference.columns.empty()) {
            differences.push_back(std::move(difference));
        }
    }
    return differences;
}

std::string describeDifference(const ChannelDifference& difference, const std::string& before,
                               const std::string& between) {
    static const ChannelTable titles;
    std::string text = "channel " + std::to_string(difference.channel) + ":";
    bool first = true;
    for (const ColumnDifference& column : difference.columns) {
        const std::string name = column.column == 0 ? "bytes" : columnName(titles, column.column);
        const auto shown = [](const std::string& value) { return value.empty() ? std::string("(empty)") : value; };
        text += (first ? " " : "; ") + name + " " + before + shown(column.left) + between + shown(column.right);
        first = false;
    }
    return text;
}

}  // namespace lumo
