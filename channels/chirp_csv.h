#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "base/session.h"
#include "base/user_dialogs.h"
#include "channels/channel_table.h"

namespace lumo {

// Channel tables exchanged with CHIRP as its CSV files: the columns CHIRP writes, then
// BusyLock, OptSignal, SPUnmute and Without for our option columns. CHIRP warns that
// it does not know those four and drops them when it saves, so a table that went
// through CHIRP comes back with Busy Lock Off, OptSignal Off, SPUnmute QT and Without
// Off.
inline constexpr std::string_view kChirpCsvHeader =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
    "RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE,"
    "BusyLock,OptSignal,SPUnmute,Without";

// Something to say about one line of a CSV file.
struct CsvLineNote {
    int line = 0;
    std::string text;

    friend bool operator==(const CsvLineNote&, const CsvLineNote&) = default;
};

// "line 3: text", one note a line, each ending in a line break.
std::string formatLineNotes(const std::vector<CsvLineNote>& notes);

// A CSV file refused as a whole: every bad row (all its problems on one note), or
// what makes the whole file unreadable. Nothing of the file was applied.
class ChirpCsvError : public std::runtime_error {
  public:
    explicit ChirpCsvError(std::vector<CsvLineNote> problems);
    // The same refusal, naming the file.
    ChirpCsvError(const std::filesystem::path& file, const ChirpCsvError& inner);
    const std::vector<CsvLineNote>& problems() const { return problems_; }

  private:
    std::vector<CsvLineNote> problems_;
};

struct ChirpCsvOptions {
    // Rows with problems are left out and listed instead of refusing the file.
    bool skipInvalid = false;
    // ',' for files, '\t' for channels on the clipboard.
    char separator = ',';
    // The channels are numbered 1, 2, ... in the order of the text, and a Location
    // column is neither needed nor looked at: channels pasted from a spreadsheet land
    // where the user pastes them, not where they came from.
    bool numberedInOrder = false;
};

// A CSV file's channels, checked and in our words.
struct ChirpCsvChannels {
    struct Channel {
        int number = 0;
        ChannelFields fields;  // cells 1..12
    };
    std::vector<Channel> channels;  // in the order of the file
    // Rows taken with a change the user should know of: a name made to fit, a
    // frequency rounded to the channel grid, an unknown word of our columns.
    std::vector<CsvLineNote> warnings;
    // Rows left out under skipInvalid, each with its problems.
    std::vector<CsvLineNote> skipped;
};

// The CSV text of every channel with an RX frequency among all 128 rows, shown or
// hidden, in channel order, as the radio would receive them: a cell the codec reads
// as its field's last word is written as that word. Lines end in CR LF, as CHIRP
// writes them. Throws ConversionError naming channel, column and text for a
// frequency that is not a number or a tone the tone list does not hold.
std::string formatChirpCsv(const ChannelTable& table,
                           const ChannelVocabulary& vocabulary = defaultVocabulary());

// The channels a CSV export holds (those with an RX frequency) whose tone cells use a
// DCS code the radio has and CHIRP's code list lacks (645, either polarity). The file
// keeps them; CHIRP reads such a row but refuses to edit it.
std::vector<int> channelsWithCodesChirpLacks(const ChannelTable& table);

// The same lines for the given channel rows only (those without an RX frequency are
// left out), fields separated by `separator`, lines ended by `lineEnd`.
std::string formatChirpCsvRows(const ChannelTable& table, const std::vector<int>& rows,
                               char separator, std::string_view lineEnd,
                               const ChannelVocabulary& vocabulary = defaultVocabulary());

// Reads a CSV text (RFC 4180, see readCsvRecords) whose first record names the
// columns: in any order, in any case, others ignored; Location and Frequency must be
// there. Each row is checked as CHIRP's columns say (see chirpToneColumns,
// readChirpOptionColumns): a Location from 1 to 128 and given once, frequencies inside
// the session's bands or at their limits, tones and codes of the tone list, Mode FM or
// NFM. A frequency off the 5 kHz and 6.25 kHz steps is rounded as the channel window
// rounds it, with a warning; so is a name that had to change to fit the radio (upper
// case, A-Z and 0-9 only, six at most). Rows whose every field is blank are passed
// over. Throws ChirpCsvError listing every bad row, unless `options.skipInvalid`.
ChirpCsvChannels parseChirpCsv(std::string_view text, const Session& session,
                               ChirpCsvOptions options = {},
                               const ChannelVocabulary& vocabulary = defaultVocabulary());

// Makes the table hold exactly the file's channels: all 128 rows are emptied first.
// The row count shows channels 1..99 when the file has no channel above 99, else all.
void applyChirpCsv(ChannelTable& table, const ChirpCsvChannels& channels);

// Whether a path names a CSV file (.csv in any case).
bool isChirpCsvPath(const std::filesystem::path& path);

// Writes the table's CSV, replacing an old file only once the new one is complete.
// Throws ConversionError as formatChirpCsv does, and std::system_error naming the file.
void SaveChirpCsv(const ChannelTable& table, const std::filesystem::path& path,
                  const ChannelVocabulary& vocabulary = defaultVocabulary());

// Reads and checks a CSV file as parseChirpCsv does. Throws ChirpCsvError naming the
// file, and std::system_error for a file that cannot be read.
ChirpCsvChannels readChirpCsvFile(const std::filesystem::path& path, const Session& session,
                                  ChirpCsvOptions options = {},
                                  const ChannelVocabulary& vocabulary = defaultVocabulary());

// Applies channels read from `path` (applyChirpCsv) and tells the user, in one message,
// the rows left out and the warnings.
void applyChirpCsvFile(ChannelTable& table, const std::filesystem::path& path,
                       const ChirpCsvChannels& channels, UserDialogs& dialogs);

// Loads a CSV file into the table and tells the user, in one message, the rows it
// skipped and the warnings. Throws ChirpCsvError naming the file, and
// std::system_error for a file that cannot be read. The table changes only on success.
void LoadChirpCsv(ChannelTable& table, const std::filesystem::path& path, const Session& session,
                  UserDialogs& dialogs, ChirpCsvOptions options = {},
                  const ChannelVocabulary& vocabulary = defaultVocabulary());

}  // namespace lumo
