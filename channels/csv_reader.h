#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace lumo {

// One record of a CSV text: its fields as written, unquoted, and the line it starts on
// (line 1 is the first line of the text; a quoted field may carry line breaks, so a
// record can span several lines).
struct CsvRecord {
    int line = 0;
    std::vector<std::string> fields;
};

// A CSV text whose quoting is broken; nothing of it is read.
class CsvSyntaxError : public std::runtime_error {
  public:
    CsvSyntaxError(int line, const std::string& problem);
    int line() const { return line_; }
    // What is wrong, without the line.
    const std::string& problem() const { return problem_; }

  private:
    int line_;
    std::string problem_;
};

// Whether a line that starts with '#' outside a quoted field is a comment, which gives
// no record (CHIRP writes and keeps such lines).
enum class CsvComments { AreFields, AreSkipped };

// Reads a CSV text as RFC 4180 describes it: fields separated by commas (or by
// `separator`, a tab for what spreadsheets put on the clipboard), records by
// CR LF, LF or a lone CR; a field in double quotes may hold commas, line breaks and
// doubled quotes. Blanks around a field belong to it. A UTF-8 byte-order mark before
// the first record is skipped, and empty lines give no record. Throws CsvSyntaxError
// for a quote inside an unquoted field, text after a closing quote, or a quoted field
// that is never closed.
std::vector<CsvRecord> readCsvRecords(std::string_view text, char separator = ',',
                                      CsvComments comments = CsvComments::AreFields);

}  // namespace lumo
