#include "channels/csv_reader.h"

#include <csv.h>

#include <new>

namespace lumo {
namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// libcsv trims blanks around unquoted fields unless told that nothing is a blank; a
// field keeps every character the file gives it.
int noBlanks(unsigned char) {
    return 0;
}

// What the callbacks build while the parser runs.
struct Collector {
    std::vector<CsvRecord> records;
    std::vector<std::string> fields;
    int recordLine = 0;
    bool awaitingRecord = true;

    static void endField(void* data, std::size_t size, void* self) {
        auto& collector = *static_cast<Collector*>(self);
        collector.fields.emplace_back(static_cast<const char*>(data), size);
    }
    static void endRecord(int, void* self) {
        auto& collector = *static_cast<Collector*>(self);
        collector.records.push_back({collector.recordLine, std::move(collector.fields)});
        collector.fields.clear();
        collector.awaitingRecord = true;
    }
};

// One libcsv parser in strict mode, freed with its owner.
class LibcsvParser {
  public:
    explicit LibcsvParser(char separator) {
        if (csv_init(&parser_, CSV_STRICT | CSV_STRICT_FINI) != 0) {
            throw std::bad_alloc();
        }
        csv_set_space_func(&parser_, noBlanks);
        csv_set_delim(&parser_, static_cast<unsigned char>(separator));
    }
    ~LibcsvParser() { csv_free(&parser_); }
    LibcsvParser(const LibcsvParser&) = delete;
    LibcsvParser& operator=(const LibcsvParser&) = delete;

    // Whether the whole chunk was taken; false on a syntax error.
    bool parse(std::string_view chunk, Collector& collector) {
        const std::size_t taken = csv_parse(&parser_, chunk.data(), chunk.size(),
                                            Collector::endField, Collector::endRecord, &collector);
        if (taken == chunk.size()) {
            return true;
        }
        if (csv_error(&parser_) == CSV_EPARSE) {
            return false;
        }
        throw std::bad_alloc();  // the field outgrew memory
    }
    // Ends the last record; false when it ends inside quotes.
    bool finish(Collector& collector) {
        return csv_fini(&parser_, Collector::endField, Collector::endRecord, &collector) == 0;
    }

  private:
    csv_parser parser_{};
};

// The length of the line at the start of `text`, its ending (CR LF, LF or CR) included.
std::size_t lineLength(std::string_view text) {
    const std::size_t end = text.find_first_of("\r\n");
    if (end == std::string_view::npos) {
        return text.size();
    }
    if (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') {
        return end + 2;
    }
    return end + 1;
}

}  // namespace

CsvSyntaxError::CsvSyntaxError(int line, const std::string& problem)
    : std::runtime_error("line " + std::to_string(line) + ": " + problem),
      line_(line),
      problem_(problem) {}

std::vector<CsvRecord> readCsvRecords(std::string_view text, char separator,
                                      CsvComments comments) {
    if (text.starts_with(kUtf8ByteOrderMark)) {
        text.remove_prefix(kUtf8ByteOrderMark.size());
    }
    LibcsvParser parser(separator);
    Collector collector;
    // Fed a line at a time, so that every record knows the line it starts on.
    int line = 1;
    while (!text.empty()) {
        const std::string_view chunk = text.substr(0, lineLength(text));
        if (comments == CsvComments::AreSkipped && collector.awaitingRecord &&
            chunk.starts_with('#')) {
            text.remove_prefix(chunk.size());
            ++line;
            continue;
        }
        if (collector.awaitingRecord && chunk.find_first_not_of("\r\n") != std::string_view::npos) {
            collector.recordLine = line;
            collector.awaitingRecord = false;
        }
        if (!parser.parse(chunk, collector)) {
            throw CsvSyntaxError(line,
                                 "a quote stands inside a field that does not start "
                                 "with one, or text follows a closing quote");
        }
        text.remove_prefix(chunk.size());
        ++line;
    }
    if (!parser.finish(collector)) {
        throw CsvSyntaxError(collector.recordLine, "a quoted field is never closed");
    }
    return std::move(collector.records);
}

}  // namespace lumo
