// Writing a channel table as a CHIRP CSV file.
#include <algorithm>
#include <array>

#include "base/frequency_text.h"
#include "channels/chirp_csv.h"
#include "channels/chirp_options.h"
#include "channels/chirp_tones.h"

namespace lumo {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr int kRx = 1;
constexpr int kTx = 2;
constexpr int kDecode = 3;
constexpr int kEncode = 4;
constexpr int kName = 12;
// The radio's DCS codes that CHIRP's own list does not hold.
constexpr std::array<std::string_view, 1> kCodesChirpLacks{"645"};

bool usesCodeChirpLacks(std::string_view tone) {
    return tone.size() == 5 && tone[0] == 'D' &&
           std::find(kCodesChirpLacks.begin(), kCodesChirpLacks.end(), tone.substr(1, 3)) !=
               kCodesChirpLacks.end();
}

// The frequency of a frequency cell.
Frequency frequencyOfCell(const ChannelTable& table, int column, int row) {
    const std::string& text = table.cell(column, row);
    const auto frequency = parseExchangeMegahertz(text);
    if (!frequency) {
        throw ConversionError(ConversionError(ConversionError(text, "is not a number"), column),
                              row, columnName(table, column));
    }
    return frequency->nearestTenHertz();
}

// A field as RFC 4180 writes it: in quotes, quotes doubled, only when it holds the
// separator, a quote or a line break.
void appendField(std::string& line, std::string_view field, char separator) {
    const char special[] = {separator, '"', '\r', '\n', '\0'};
    if (field.find_first_of(special) == std::string_view::npos) {
        line += field;
        return;
    }
    line += '"';
    for (const char c : field) {
        line += c;
        if (c == '"') {
            line += '"';
        }
    }
    line += '"';
}

std::string channelLine(const ChannelTable& table, int row, char separator,
                        const ChannelVocabulary& vocabulary) {
    const Frequency rx = frequencyOfCell(table, kRx, row);
    std::string_view duplex = "off";
    FrequencyOffset offset;
    if (!table.cell(kTx, row).empty()) {
        offset = frequencyOfCell(table, kTx, row) - rx;
        duplex = offset == FrequencyOffset() ? "" : offset > FrequencyOffset() ? "+" : "-";
    }
    ChirpToneColumns tones;
    try {
        tones = chirpToneColumns({table.cell(kEncode, row), table.cell(kDecode, row)}, vocabulary);
    } catch (const ConversionError& e) {
        throw ConversionError(e, row, columnName(table, e.column()));
    }
    const ChirpOptionColumns options = chirpOptionColumns(table.rowFields(row), vocabulary);
    const std::array<std::string, 25> fields{
        std::to_string(row),
        table.cell(kName, row),
        sixDecimalText(rx),
        std::string(duplex),
        sixDecimalText(offset.size()),
        tones.tone,
        tones.rToneFreq,
        tones.cToneFreq,
        tones.dtcsCode,
        tones.dtcsPolarity,
        tones.rxDtcsCode,
        tones.crossMode,
        options.mode,
        rx.isMultipleOf(kFiveKilohertz) ? "5.00" : "6.25",
        options.skip,
        options.power,
        "",  // Comment
        "",  // URCALL
        "",  // RPT1CALL
        "",  // RPT2CALL
        "",  // DVCODE
        options.busyLock,
        options.optSignal,
        options.spUnmute,
        options.without,
    };
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            line += separator;
        }
        appendField(line, fields[i], separator);
    }
    return line;
}

}  // namespace

std::string formatChirpCsv(const ChannelTable& table, const ChannelVocabulary& vocabulary) {
    std::vector<int> rows;
    for (int row = 1; row <= ChannelCount; ++row) {
        rows.push_back(row);
    }
    return formatChirpCsvRows(table, rows, ',', kLineEnd, vocabulary);
}

std::vector<int> channelsWithCodesChirpLacks(const ChannelTable& table) {
    std::vector<int> channels;
    for (int row = 1; row <= ChannelCount; ++row) {
        if (!table.cell(kRx, row).empty() &&
            (usesCodeChirpLacks(table.cell(kDecode, row)) ||
             usesCodeChirpLacks(table.cell(kEncode, row)))) {
            channels.push_back(row);
        }
    }
    return channels;
}

std::string formatChirpCsvRows(const ChannelTable& table, const std::vector<int>& rows,
                               char separator, std::string_view lineEnd,
                               const ChannelVocabulary& vocabulary) {
    std::string text(kChirpCsvHeader);
    if (separator != ',') {
        std::replace(text.begin(), text.end(), ',', separator);
    }
    text += lineEnd;
    for (const int row : rows) {
        if (!table.cell(kRx, row).empty()) {
            text += channelLine(table, row, separator, vocabulary);
            text += lineEnd;
        }
    }
    return text;
}

}  // namespace lumo
