// CHIRP CSV files: reading never reads out of bounds and either refuses the file with
// problems on real lines or takes it; what it takes is written back into a file that
// reads to the same channels, with nothing to warn about or skip.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "channels/chirp_csv.h"
#include "channels/csv_reader.h"

namespace {

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

int lineCount(std::string_view text) {
    int lines = 1;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) {
            ++lines;
        }
    }
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const int lines = lineCount(text);
    try {
        int previous = 0;
        for (const lumo::CsvRecord& record : lumo::readCsvRecords(text)) {
            check(record.line > previous && record.line <= lines && !record.fields.empty());
            previous = record.line;
        }
    } catch (const lumo::CsvSyntaxError& e) {
        check(e.line() >= 1 && e.line() <= lines);
    }

    lumo::LanguageStrings strings;
    lumo::Session session(strings);
    session.setUp();
    const bool skipInvalid = size % 2 == 1;
    lumo::ChirpCsvChannels channels;
    try {
        channels = lumo::parseChirpCsv(text, session, {.skipInvalid = skipInvalid});
    } catch (const lumo::ChirpCsvError& e) {
        check(!e.problems().empty());
        for (const lumo::CsvLineNote& problem : e.problems()) {
            check(problem.line >= 1 && problem.line <= lines && !problem.text.empty());
        }
        return 0;
    }
    check(skipInvalid || channels.skipped.empty());
    lumo::ChannelTable table;
    lumo::applyChirpCsv(table, channels);

    const lumo::ChirpCsvChannels again = lumo::parseChirpCsv(lumo::formatChirpCsv(table), session);
    check(again.warnings.empty() && again.skipped.empty());
    lumo::ChannelTable back;
    lumo::applyChirpCsv(back, again);
    check(back == table);
    return 0;
}
