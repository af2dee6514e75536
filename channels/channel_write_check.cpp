#include "channels/channel_write_check.h"

#include <algorithm>

#include "channels/band_limits.h"
#include "channels/channel_image.h"

namespace lumo {
namespace {

// Whether `radio` holds the frequency `text` in column 1 (RX) or 2 (TX) of `channel`.
bool radioHolds(const MemoryImage& radio, int channel, int column, const std::string& text) {
    const std::size_t at = recordOffset(channel) + (column == 1 ? 0 : 4);
    std::uint32_t held = 0;
    for (int i = 3; i >= 0; --i) {
        held = (held << 8) | radio[at + static_cast<std::size_t>(i)];
    }
    try {
        return EncodeFrequency(text) == held;
    } catch (const ConversionError&) {
        return false;
    }
}

}  // namespace


void checkTableForWrite(const ChannelTable& table, const Session& session,
                        const ChannelVocabulary& vocabulary) {
    const std::vector<ConversionError> problems = writeProblems(table, session, vocabulary);
    if (!problems.empty()) {
        throw problems.front();
    }
}

std::vector<ConversionError> writeProblems(const ChannelTable& table, const Session& session,
                                           const ChannelVocabulary& vocabulary,
                                           const MemoryImage* radio) {
    std::vector<ConversionError> problems;
    for (int row = 1; row <= ChannelCount; ++row) {
        const auto note = [&](const ConversionError& e, int column) {
            problems.emplace_back(ConversionError(e, column), row, columnName(table, column));
        };
        for (const int column : {1, 2}) {
            const std::string& text = table.cell(column, row);
            if (text.empty()) {
                continue;
            }
            try {
                if (!bandsHold(session, frequencyValue(text)) &&
                    !(radio != nullptr && radioHolds(*radio, row, column, text))) {
                    note(ConversionError(text, "is outside " + bandsText(session)), column);
                }
            } catch (const ConversionError& e) {
                note(e, column);
            }
        }
        for (const int column : {3, 4}) {
            try {
                EncodeTone(table.cell(column, row));
            } catch (const ConversionError& e) {
                note(e, column);
            }
        }
    }
    // Whatever else the codec refuses, found as a write would find it.
    if (problems.empty()) {
        MemoryImage image = blankMemoryImage();
        try {
            StoreGridToImage(table, image, vocabulary);
        } catch (const ConversionError& e) {
            problems.push_back(e);
        }
    }
    return problems;
}

std::string listWriteProblems(const std::vector<ConversionError>& problems) {
    std::string text = std::to_string(problems.size()) + " problems stop the write; nothing was sent:";
    for (const ConversionError& problem : problems) {
        text += "\n";
        text += problem.what();
    }
    return text;
}

std::vector<std::string> outOfBandHeld(const ChannelTable& table, const Session& session,
                                       const MemoryImage& radio) {
    std::vector<std::string> lines;
    for (int row = 1; row <= ChannelCount; ++row) {
        std::vector<std::string> seen;
        for (const int column : {1, 2}) {
            const std::string& text = table.cell(column, row);
            if (text.empty() || std::find(seen.begin(), seen.end(), text) != seen.end()) {
                continue;
            }
            try {
                if (!bandsHold(session, frequencyValue(text)) &&
                    radioHolds(radio, row, column, text)) {
                    seen.push_back(text);
                    lines.push_back("channel " + std::to_string(row) + ": " + text +
                                    " MHz is outside " + bandsText(session) +
                                    "; the radio already holds it");
                }
            } catch (const ConversionError&) {
                // Not a number: writeProblems names it.
            }
        }
    }
    return lines;
}

bool usesChannelsAbove99(const ChannelTable& table) {
    for (int row = ChannelTable::kShownRowCount; row <= ChannelCount; ++row) {
        if (!table.rowIsEmpty(row)) {
            return true;
        }
    }
    return false;
}

void takeChannelsAbove99(ChannelTable& table, const MemoryImage& radio,
                         const ChannelVocabulary& vocabulary) {
    ChannelTable held(table);
    LoadGridFromImage(held, radio, vocabulary);
    for (int row = ChannelTable::kShownRowCount; row <= ChannelCount; ++row) {
        for (int column = 1; column < ChannelTable::kColumns; ++column) {
            table.setCell(column, row, held.cell(column, row));
        }
    }
}

}  // namespace lumo
