#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/session.h"
#include "channels/channel_table.h"
#include "channels/chirp_csv.h"

namespace lumo {

// Channels on the system clipboard, as spreadsheets exchange rows: tab-separated
// fields under the CSV file's column titles, one channel a line. Channels without
// an RX frequency are left out. Throws ConversionError as formatChirpCsv does.
std::string channelsAsClipboardText(const ChannelTable& table, const std::vector<int>& rows,
                                    const ChannelVocabulary& vocabulary = defaultVocabulary());

// What the user is told of pasted text pasteChannelText refused: its bad lines, in
// words of the paste, as the user pasted text and opened no file.
std::string pasteRefusal(const ChirpCsvError& refused);

// Whether a clipboard text is meant as channels: its first line holds tab-separated
// titles, a Frequency column among them.
bool holdsChannelText(std::string_view text);

// Puts the text's channels on rows `first`, first + 1, ... in their order, whatever
// their Location says, each checked as a CSV file's row is. Returns the rows filled and
// gives the rows taken with a change (a rounded frequency, a name made to fit) in
// `warnings`. Throws ChirpCsvError listing every bad line, and ChannelEditRefused when
// the channels do not fit up to lastChannel or there are none; the table is then left
// as it was.
std::vector<int> pasteChannelText(ChannelTable& table, std::string_view text, int first,
                                  int lastChannel, const Session& session,
                                  std::vector<CsvLineNote>& warnings,
                                  const ChannelVocabulary& vocabulary = defaultVocabulary());

// What the user is told of pasted text pasteChannelText refused: its bad lines, in
// words of the paste, as the user pasted text and opened no file.
std::string pasteRefusal(const ChirpCsvError& refused);

}  // namespace lumo
