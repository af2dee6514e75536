#include "channels/channel_clipboard.h"

#include "channels/channel_reorder.h"
#include "channels/word_match.h"

namespace lumo {

std::string channelsAsClipboardText(const ChannelTable& table, const std::vector<int>& rows,
                                    const ChannelVocabulary& vocabulary) {
    return formatChirpCsvRows(table, rows, '\t', "\n", vocabulary);
}

bool holdsChannelText(std::string_view text) {
    const std::string_view firstLine = text.substr(0, text.find_first_of("\r\n"));
    if (firstLine.find('\t') == std::string_view::npos) {
        return false;
    }
    std::size_t start = 0;
    while (start <= firstLine.size()) {
        const std::size_t end = std::min(firstLine.find('\t', start), firstLine.size());
        std::string_view title = trimSpaceAndTab(firstLine.substr(start, end - start));
        if (title.size() >= 2 && title.front() == '"' && title.back() == '"') {
            title = title.substr(1, title.size() - 2);
        }
        if (sameWordIgnoringCase(title, "Frequency")) {
            return true;
        }
        start = end + 1;
    }
    return false;
}

std::vector<int> pasteChannelText(ChannelTable& table, std::string_view text, int first,
                                  int lastChannel, const Session& session,
                                  std::vector<CsvLineNote>& warnings,
                                  const ChannelVocabulary& vocabulary) {
    ChirpCsvOptions options;
    options.separator = '\t';
    options.numberedInOrder = true;
    ChirpCsvChannels channels = parseChirpCsv(text, session, options, vocabulary);
    if (channels.channels.empty()) {
        throw ChannelEditRefused("The clipboard holds column titles but no channels.");
    }
    const int count = static_cast<int>(channels.channels.size());
    if (first < 1 || first + count - 1 > lastChannel) {
        throw ChannelEditRefused(
            std::to_string(count) + (count == 1 ? " channel does" : " channels do") +
            " not fit from channel " + std::to_string(first) + ": the table ends at channel " +
            std::to_string(lastChannel) + ". Paste them higher up, or delete channels first.");
    }
    std::vector<int> rows;
    for (const auto& channel : channels.channels) {
        const int row = first + channel.number - 1;
        for (int column = 1; column < ChannelTable::kColumns; ++column) {
            table.setCell(column, row, channel.fields[static_cast<std::size_t>(column)]);
        }
        rows.push_back(row);
    }
    warnings = std::move(channels.warnings);
    return rows;
}

std::string pasteRefusal(const ChirpCsvError& refused) {
    std::string text = "The pasted text is refused; nothing was pasted:\n" +
                       formatLineNotes(refused.problems());
    text.pop_back();
    return text;
}

}  // namespace lumo
