// CHIRP CSV files on disk.
#include "base/atomic_file.h"
#include "base/read_file.h"
#include "channels/chirp_csv.h"
#include "channels/word_match.h"

namespace lumo {
namespace {

std::string notesMessage(const std::filesystem::path& file, const ChirpCsvChannels& channels) {
    std::string text;
    if (!channels.skipped.empty()) {
        text += file.string() + ": " + std::to_string(channels.skipped.size()) +
                (channels.skipped.size() == 1 ? " row" : " rows") + " skipped:\n" +
                formatLineNotes(channels.skipped);
    }
    if (!channels.warnings.empty()) {
        text += file.string() + ": taken with changes:\n" + formatLineNotes(channels.warnings);
    }
    if (!text.empty()) {
        text.pop_back();
    }
    return text;
}

}  // namespace

bool isChirpCsvPath(const std::filesystem::path& path) {
    return sameWordIgnoringCase(path.extension().string(), ".csv");
}

void SaveChirpCsv(const ChannelTable& table, const std::filesystem::path& path,
                  const ChannelVocabulary& vocabulary) {
    writeFileAtomically(path, formatChirpCsv(table, vocabulary));
}

ChirpCsvChannels readChirpCsvFile(const std::filesystem::path& path, const Session& session,
                                  ChirpCsvOptions options, const ChannelVocabulary& vocabulary) {
    try {
        return parseChirpCsv(readWholeFile(path), session, options, vocabulary);
    } catch (const ChirpCsvError& e) {
        throw ChirpCsvError(path, e);
    }
}

void applyChirpCsvFile(ChannelTable& table, const std::filesystem::path& path,
                       const ChirpCsvChannels& channels, UserDialogs& dialogs) {
    applyChirpCsv(table, channels);
    if (const std::string message = notesMessage(path, channels); !message.empty()) {
        dialogs.showMessage(message);
    }
}

void LoadChirpCsv(ChannelTable& table, const std::filesystem::path& path, const Session& session,
                  UserDialogs& dialogs, ChirpCsvOptions options,
                  const ChannelVocabulary& vocabulary) {
    applyChirpCsvFile(table, path, readChirpCsvFile(path, session, options, vocabulary), dialogs);
}

}  // namespace lumo
