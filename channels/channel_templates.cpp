#include "channels/channel_templates.h"

#include "base/frequency_text.h"
#include "channels/channel_file.h"
#include "channels/chirp_csv.h"
#include "channels/column_entries.h"

namespace lumo {
namespace {

constexpr int kPmrChannels = 16;
constexpr long long kFirstPmr = 44'600'625;  // in 10 Hz steps
constexpr long long kPmrStep = 1'250;        // 12.5 kHz

}  // namespace

ChannelTable pmr446Table(const LanguageStrings& strings) {
    ChannelTable table(strings);
    auto cells = newChannelOptions(strings);
    cells[5] = strings.wordLow;
    cells[6] = strings.word12_5K;
    for (int channel = 1; channel <= kPmrChannels; ++channel) {
        const std::string frequency =
            fiveDecimalText(Frequency::fromTenHertz(kFirstPmr + (channel - 1) * kPmrStep));
        cells[1] = frequency;
        cells[2] = frequency;
        cells[12] = "PMR" + std::to_string(channel);
        for (int column = 1; column < ChannelTable::kColumns; ++column) {
            table.setCell(column, channel, cells[static_cast<std::size_t>(column)]);
        }
    }
    return table;
}

std::optional<ChannelTable> readTemplateFile(const std::filesystem::path& file,
                                             const Session& session, UserDialogs& dialogs) {
    ChannelTable table(session.strings());
    if (isChirpCsvPath(file)) {
        LoadChirpCsv(table, file, session, dialogs);
    } else if (!LoadChannelFile(table, file, dialogs, kChannelFileType, session.strings())) {
        return std::nullopt;
    }
    table.setRowCount(ChannelTable::kShownRowCount);
    return table;
}

}  // namespace lumo
