// Reading a CHIRP CSV file into channels, every row checked before any is taken.
#include <algorithm>
#include <array>
#include <charconv>
#include <map>
#include <optional>

#include "base/frequency_text.h"
#include "channels/band_limits.h"
#include "channels/chirp_csv.h"
#include "channels/chirp_options.h"
#include "channels/chirp_tones.h"
#include "channels/csv_reader.h"
#include "channels/word_match.h"

namespace lumo {
namespace {

// The columns the import reads, by their header names.
enum Column : std::size_t {
    kLocation,
    kName,
    kFrequency,
    kDuplex,
    kOffset,
    kTone,
    kRToneFreq,
    kCToneFreq,
    kDtcsCode,
    kDtcsPolarity,
    kRxDtcsCode,
    kCrossMode,
    kMode,
    kSkip,
    kPower,
    kBusyLock,
    kOptSignal,
    kSpUnmute,
    kWithout,
    kColumnCount
};

constexpr std::array<std::string_view, kColumnCount> kColumnNames{
    "Location",  "Name",     "Frequency",    "Duplex",     "Offset",    "Tone", "rToneFreq",
    "cToneFreq", "DtcsCode", "DtcsPolarity", "RxDtcsCode", "CrossMode", "Mode", "Skip",
    "Power",     "BusyLock", "OptSignal",    "SPUnmute",   "Without",
};

constexpr std::size_t kMaxNameLength = 6;

// Where the header puts each column the import reads; the first of equal names wins.
class HeaderColumns {
  public:
    explicit HeaderColumns(const CsvRecord& header) {
        for (std::size_t column = 0; column < kColumnCount; ++column) {
            for (std::size_t at = 0; at < header.fields.size(); ++at) {
                if (sameWordIgnoringCase(trimSpaceAndTab(header.fields[at]),
                                         kColumnNames[column])) {
                    positions_[column] = at;
                    break;
                }
            }
        }
    }

    bool has(Column column) const { return positions_[column].has_value(); }

    // The row's field in the column without blanks around it; empty when the header
    // has no such column or the row ends before it.
    std::string_view field(const CsvRecord& row, Column column) const {
        const auto at = positions_[column];
        return at && *at < row.fields.size() ? trimSpaceAndTab(row.fields[*at])
                                             : std::string_view();
    }

  private:
    std::array<std::optional<std::size_t>, kColumnCount> positions_;
};

bool isBlankRecord(const CsvRecord& record) {
    for (const std::string& field : record.fields) {
        if (!trimSpaceAndTab(field).empty()) {
            return false;
        }
    }
    return true;
}

std::string quoted(std::string_view column, std::string_view text) {
    return std::string(column) + " \"" + std::string(text) + "\"";
}

std::string radioName(std::string_view text) {
    std::string name;
    for (char c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
        if (((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) && name.size() < kMaxNameLength) {
            name += c;
        }
    }
    return name;
}

// One data row as it is read: the channel's cells and what was found wrong or changed.
struct RowReading {
    std::optional<int> location;
    ChannelFields fields;
    std::vector<std::string> problems;
    std::vector<std::string> warnings;
};

class RowReader {
  public:
    RowReader(const HeaderColumns& columns, const Session& session,
              const ChannelVocabulary& vocabulary)
        : columns_(columns), session_(session), vocabulary_(vocabulary) {}

    RowReading read(const CsvRecord& row, std::optional<int> numberInOrder) const {
        RowReading reading;
        reading.location = numberInOrder ? numberInOrder : location(row, reading);
        readFrequencies(row, reading);
        readName(row, reading);
        readTones(row, reading);
        readOptions(row, reading);
        return reading;
    }

  private:
    std::string_view field(const CsvRecord& row, Column column) const {
        return columns_.field(row, column);
    }

    std::optional<int> location(const CsvRecord& row, RowReading& reading) const {
        const std::string_view text = field(row, kLocation);
        int number = 0;
        const char* end = text.data() + text.size();
        const auto parsed = std::from_chars(text.data(), end, number);
        if (text.empty() || parsed.ec != std::errc() || parsed.ptr != end || number < 1 ||
            number > ChannelCount) {
            reading.problems.push_back(quoted("Location", text) +
                                       " is not a channel number from 1 to " +
                                       std::to_string(ChannelCount));
            return std::nullopt;
        }
        return number;
    }

    // A frequency inside the bands and on the channel raster; `what` names it in a
    // problem or warning.
    std::optional<Frequency> channelFrequency(const PreciseFrequency& frequency,
                                              const std::string& what, RowReading& reading) const {
        if (!bandsHold(session_, frequency)) {
            reading.problems.push_back(what + " is outside " + bandsText(session_));
            return std::nullopt;
        }
        const Frequency rounded = roundToChannelRaster(frequency);
        if (isOnChannelRaster(frequency)) {
            return rounded;
        }
        if (!bandsHold(session_, rounded)) {
            reading.problems.push_back(what + " is outside " + bandsText(session_) +
                                       " once rounded to the channel steps");
            return std::nullopt;
        }
        reading.warnings.push_back(what + " is off the 5 kHz and 6.25 kHz steps; " +
                                   fiveDecimalText(rounded) + " taken");
        return rounded;
    }

    std::optional<PreciseFrequency> number(const CsvRecord& row, Column column,
                                           RowReading& reading) const {
        const std::string_view text = field(row, column);
        const auto value = parseExchangeMegahertz(text);
        if (!value) {
            reading.problems.push_back(quoted(kColumnNames[column], text) + " is not a number");
        }
        return value;
    }

    void readFrequencies(const CsvRecord& row, RowReading& reading) const {
        const auto rx = number(row, kFrequency, reading);
        if (!rx) {
            return;
        }
        const auto rxStep =
            channelFrequency(*rx, quoted("Frequency", field(row, kFrequency)), reading);
        if (!rxStep) {
            return;
        }
        reading.fields[1] = fiveDecimalText(*rxStep);

        const std::string_view duplex = field(row, kDuplex);
        std::optional<PreciseFrequency> tx;
        std::string what;
        if (duplex.empty()) {
            reading.fields[2] = reading.fields[1];
            return;
        }
        if (sameWordIgnoringCase(duplex, "off")) {
            reading.fields[2].clear();
            return;
        }
        if (duplex == "+" || duplex == "-" || sameWordIgnoringCase(duplex, "split")) {
            const auto offset = number(row, kOffset, reading);
            if (!offset) {
                return;
            }
            if (duplex == "+") {
                tx = *rx + FrequencyOffset::of(*offset);
                what = "the TX frequency, Frequency + Offset,";
            } else if (duplex == "-") {
                tx = *rx - FrequencyOffset::of(*offset);
                what = "the TX frequency, Frequency - Offset,";
            } else {
                tx = *offset;
                what = "the TX frequency " + quoted("Offset", field(row, kOffset));
            }
        } else {
            reading.problems.push_back(quoted("Duplex", duplex) +
                                       " is not empty, +, -, split or off");
            return;
        }
        if (const auto txStep = channelFrequency(*tx, what, reading)) {
            reading.fields[2] = fiveDecimalText(*txStep);
        }
    }

    void readName(const CsvRecord& row, RowReading& reading) const {
        const std::string_view text = field(row, kName);
        reading.fields[12] = radioName(text);
        if (reading.fields[12] != text) {
            reading.warnings.push_back(quoted("Name", text) + " became \"" + reading.fields[12] +
                                       "\"");
        }
    }

    void readTones(const CsvRecord& row, RowReading& reading) const {
        ChirpToneColumns tones;
        tones.tone = field(row, kTone);
        tones.rToneFreq = field(row, kRToneFreq);
        tones.cToneFreq = field(row, kCToneFreq);
        tones.dtcsCode = field(row, kDtcsCode);
        if (!field(row, kDtcsPolarity).empty()) {
            tones.dtcsPolarity = field(row, kDtcsPolarity);
        }
        tones.rxDtcsCode = field(row, kRxDtcsCode);
        tones.crossMode = field(row, kCrossMode);
        const ChannelTones read = channelTones(tones, vocabulary_, reading.problems);
        reading.fields[3] = read.decode;
        reading.fields[4] = read.encode;
    }

    void readOptions(const CsvRecord& row, RowReading& reading) const {
        ChirpOptionColumns options;
        options.power = field(row, kPower);
        options.mode = columns_.has(kMode) ? field(row, kMode) : "FM";
        options.skip = field(row, kSkip);
        options.busyLock = field(row, kBusyLock);
        options.optSignal = field(row, kOptSignal);
        options.spUnmute = field(row, kSpUnmute);
        options.without = field(row, kWithout);
        readChirpOptionColumns(options, vocabulary_, reading.fields, reading.problems,
                               reading.warnings);
    }

    const HeaderColumns& columns_;
    const Session& session_;
    const ChannelVocabulary& vocabulary_;
};

std::string joined(const std::vector<std::string>& parts) {
    std::string text;
    for (const std::string& part : parts) {
        text += (text.empty() ? "" : "; ") + part;
    }
    return text;
}

std::string refusalText(const std::vector<CsvLineNote>& problems) {
    std::string text =
        "the CSV file is refused, nothing of it was taken:\n" + formatLineNotes(problems);
    text.pop_back();
    return text;
}

}  // namespace

std::string formatLineNotes(const std::vector<CsvLineNote>& notes) {
    std::string text;
    for (const CsvLineNote& note : notes) {
        text += "line " + std::to_string(note.line) + ": " + note.text + "\n";
    }
    return text;
}

ChirpCsvError::ChirpCsvError(std::vector<CsvLineNote> problems)
    : std::runtime_error(refusalText(problems)), problems_(std::move(problems)) {}

ChirpCsvError::ChirpCsvError(const std::filesystem::path& file, const ChirpCsvError& inner)
    : std::runtime_error(file.string() + ": " + inner.what()), problems_(inner.problems_) {}

ChirpCsvChannels parseChirpCsv(std::string_view text, const Session& session,
                               ChirpCsvOptions options, const ChannelVocabulary& vocabulary) {
    std::vector<CsvRecord> records;
    try {
        records = readCsvRecords(text, options.separator, CsvComments::AreSkipped);
    } catch (const CsvSyntaxError& e) {
        throw ChirpCsvError({{e.line(), e.problem()}});
    }
    if (records.empty()) {
        throw ChirpCsvError({{1, "the file has no header line"}});
    }
    const HeaderColumns columns(records.front());
    for (const Column needed : {kLocation, kFrequency}) {
        if (!columns.has(needed) && !(needed == kLocation && options.numberedInOrder)) {
            throw ChirpCsvError(
                {{records.front().line,
                  "the header has no " + std::string(kColumnNames[needed]) + " column"}});
        }
    }

    const RowReader reader(columns, session, vocabulary);
    ChirpCsvChannels result;
    std::vector<CsvLineNote> problems;
    std::map<int, int> firstLineOf;
    int inOrder = 0;
    for (auto record = records.begin() + 1; record != records.end(); ++record) {
        if (isBlankRecord(*record)) {
            continue;
        }
        ++inOrder;
        RowReading reading =
            reader.read(*record, options.numberedInOrder ? std::optional<int>(inOrder) : std::nullopt);
        if (reading.location) {
            const auto [first, isNew] = firstLineOf.emplace(*reading.location, record->line);
            if (!isNew) {
                reading.problems.insert(reading.problems.begin(),
                                        "Location " + std::to_string(*reading.location) +
                                            " is given twice (first on line " +
                                            std::to_string(first->second) + ")");
            }
        }
        if (!reading.problems.empty()) {
            problems.push_back({record->line, joined(reading.problems)});
            continue;
        }
        for (std::string& warning : reading.warnings) {
            result.warnings.push_back({record->line, std::move(warning)});
        }
        result.channels.push_back({*reading.location, std::move(reading.fields)});
    }
    if (!problems.empty() && !options.skipInvalid) {
        throw ChirpCsvError(std::move(problems));
    }
    result.skipped = std::move(problems);
    return result;
}

void applyChirpCsv(ChannelTable& table, const ChirpCsvChannels& channels) {
    for (int row = 1; row <= ChannelCount; ++row) {
        for (int column = 1; column < table.columnCount(); ++column) {
            table.setCell(column, row, "");
        }
    }
    int highest = 0;
    for (const auto& channel : channels.channels) {
        for (int column = 1; column < table.columnCount(); ++column) {
            table.setCell(column, channel.number, channel.fields[static_cast<std::size_t>(column)]);
        }
        highest = std::max(highest, channel.number);
    }
    table.setRowCount(highest < ChannelTable::kShownRowCount ? ChannelTable::kShownRowCount
                                                             : ChannelTable::kRows);
}

}  // namespace lumo
