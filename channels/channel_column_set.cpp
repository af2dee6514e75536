#include "channels/channel_column_set.h"

#include <array>

#include "base/frequency_text.h"
#include "channels/band_limits.h"
#include "channels/channel_codec.h"
#include "channels/channel_reorder.h"
#include "channels/column_entries.h"
#include "channels/word_match.h"
#include "link/hex_text.h"

namespace lumo {
namespace {

constexpr int kRx = 1;
constexpr int kTx = 2;
constexpr int kTxTone = 4;
constexpr int kName = 12;
constexpr std::size_t kNameLength = 6;
constexpr std::size_t kListedEntries = 8;

// A frequency rounded to the channel raster as leaving its cell would, but held to the
// same limits as an imported file or a write; `what` names it and `shown` is its text
// when it is refused.
std::string rasterFrequency(const PreciseFrequency& frequency, const std::string& what,
                            const std::string& shown, const Session& session) {
    const auto refuse = [&] {
        return ChannelEditRefused(what + ": " + shown + " MHz is outside " + bandsText(session) +
                                  ".");
    };
    if (!bandsHold(session, frequency)) {
        throw refuse();
    }
    const Frequency rounded = roundToChannelRaster(frequency);
    if (!bandsHold(session, rounded)) {
        throw refuse();
    }
    return fiveDecimalText(rounded);
}

// A typed frequency text through rasterFrequency.
std::string checkedFrequency(const std::string& text, const std::string& what,
                             const Session& session) {
    PreciseFrequency frequency;
    try {
        frequency = frequencyValue(text);
    } catch (const ConversionError&) {
        throw ChannelEditRefused(what + ": \"" + text + "\" is not a frequency.");
    }
    return rasterFrequency(frequency, what, text, session);
}

// "rx", "rx+0.5", "rx-5": the TX as an offset from the channel's RX.
struct TxFromRx {
    FrequencyOffset offset;
};

std::optional<TxFromRx> txFromRx(std::string_view value) {
    std::string text;
    for (const char c : value) {
        if (c != ' ') {
            text += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
    }
    if (!text.starts_with("rx")) {
        return std::nullopt;
    }
    const std::string_view rest = std::string_view(text).substr(2);
    if (rest.empty()) {
        return TxFromRx{};
    }
    const auto size = rest.size() > 1 ? parseExchangeMegahertz(rest.substr(1)) : std::nullopt;
    if ((rest[0] != '+' && rest[0] != '-') || !size) {
        throw ChannelEditRefused("\"" + std::string(value) +
                                 "\" is not a TX: write rx, rx+OFFSET or rx-OFFSET in MHz.");
    }
    const FrequencyOffset offset = FrequencyOffset::of(*size);
    return TxFromRx{rest[0] == '-' ? -offset : offset};
}

std::string channelText(int row) {
    return "Channel " + std::to_string(row);
}

std::string entryFor(const ChannelTable& table, int column, std::string_view value,
                     const std::vector<std::string>& entries) {
    const std::string_view wanted = trimSpaceAndTab(value);
    for (const std::string& entry : entries) {
        if (sameWordIgnoringCase(entry, wanted)) {
            return entry;
        }
    }
    std::string known;
    if (entries.size() <= kListedEntries) {
        for (const std::string& entry : entries) {
            known += (known.empty() ? "" : ", ") + entry;
        }
    } else {
        known = entries.front() + ", " + entries[1] + " ... " + entries.back();
    }
    throw ChannelEditRefused("\"" + std::string(value) + "\" is not a " +
                             columnName(table, column) + " entry (" + known + ").");
}

std::string nameFor(std::string_view value) {
    std::string name;
    for (const char c : trimSpaceAndTab(value)) {
        const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (!((upper >= 'A' && upper <= 'Z') || (upper >= '0' && upper <= '9'))) {
            name.clear();
            break;
        }
        name += upper;
    }
    if ((name.empty() && !trimSpaceAndTab(value).empty()) || name.size() > kNameLength) {
        throw ChannelEditRefused("\"" + std::string(value) +
                                 "\" is not a channel name: up to six letters A-Z and digits.");
    }
    return name;
}

void setTx(ChannelTable& table, int row, std::string_view value, const Session& session) {
    const std::string what = channelText(row) + ", TX";
    std::string tx;
    if (const auto fromRx = txFromRx(value)) {
        const std::string& rxText = table.cell(kRx, row);
        const auto rx = parseExchangeMegahertz(rxText);
        if (!rx) {
            throw ChannelEditRefused(channelText(row) + ": its RX \"" + rxText +
                                     "\" is not a frequency.");
        }
        const PreciseFrequency sum = *rx + fromRx->offset;
        if (sum <= PreciseFrequency()) {
            throw ChannelEditRefused(what + " would be below 0 MHz.");
        }
        tx = rasterFrequency(sum, what, fiveDecimalText(sum.nearestTenHertz()), session);
    } else if (!trimSpaceAndTab(value).empty()) {
        tx = checkedFrequency(std::string(trimSpaceAndTab(value)), what, session);
    }
    table.setCell(kTx, row, tx);
    if (tx.empty()) {
        table.setCell(kTxTone, row, session.strings().wordOff);
    }
}

void setRx(ChannelTable& table, int row, const std::string& rx, const Session& session) {
    table.setCell(kRx, row, rx);
    if (table.cell(kTx, row).empty()) {
        table.setCell(kTx, row, rx);
    }
    const auto defaults = newChannelOptions(session.strings());
    for (int column = 3; column <= 11; ++column) {
        if (table.cell(column, row).empty()) {
            table.setCell(column, row, defaults[static_cast<std::size_t>(column)]);
        }
    }
}

}  // namespace

void setChannelColumn(ChannelTable& table, const std::vector<int>& rows, int column,
                      std::string_view value, int lastChannel, const Session& session,
                      const ChannelVocabulary& vocabulary) {
    if (column < kRx || column > kName) {
        throw ChannelEditRefused("There is no column " + std::to_string(column) + " to set.");
    }
    std::vector<int> targets;
    for (const int row : rows) {
        if (row < 1 || row > lastChannel) {
            throw ChannelEditRefused("There is no channel " + std::to_string(row) +
                                     ": the table has channels 1 to " +
                                     std::to_string(lastChannel) + ".");
        }
        if (column == kRx || !table.cell(kRx, row).empty()) {
            targets.push_back(row);
        }
    }
    if (targets.empty()) {
        throw ChannelEditRefused("None of channels " + channelNumbersText(rows) +
                                 " has an RX frequency: give them one first.");
    }
    ChannelTable next = table;
    if (column == kRx) {
        const std::string rx = checkedFrequency(std::string(trimSpaceAndTab(value)), "RX", session);
        for (const int row : targets) {
            setRx(next, row, rx, session);
        }
    } else if (column == kTx) {
        for (const int row : targets) {
            setTx(next, row, value, session);
        }
    } else if (column == kName) {
        const std::string name = nameFor(value);
        for (const int row : targets) {
            next.setCell(kName, row, name);
        }
    } else {
        const std::string entry =
            entryFor(table, column, value, optionEntries(column, session.strings(), vocabulary));
        for (const int row : targets) {
            next.setCell(column, row, entry);
        }
    }
    table = std::move(next);
}

std::string txValue(const TxEntry& entry) {
    switch (entry.way) {
        case TxWay::SameAsRx: return "rx";
        case TxWay::RxPlus: return "rx+" + entry.megahertz;
        case TxWay::RxMinus: return "rx-" + entry.megahertz;
        case TxWay::Frequency: break;
    }
    return entry.megahertz;
}

TxEntry txEntryOf(std::string_view value) {
    if (!value.starts_with("rx")) {
        return {TxWay::Frequency, std::string(value)};
    }
    const std::string_view rest = value.substr(2);
    if (rest.empty()) {
        return {};
    }
    return {rest.front() == '-' ? TxWay::RxMinus : TxWay::RxPlus, std::string(rest.substr(1))};
}

std::optional<int> columnNamed(std::string_view name, const LanguageStrings& strings) {
    struct Alias {
        std::string_view name;
        int column;
    };
    static constexpr std::array<Alias, 26> kAliases{{
        {"rx", 1},        {"frequency", 1}, {"tx", 2},        {"rxtone", 3},
        {"dec", 3},       {"txtone", 4},    {"enc", 4},       {"power", 5},
        {"wn", 6},    {"w/n", 6},       {"mode", 6},      {"bandwidth", 6},
        {"busylock", 7},  {"busy", 7},      {"optsignal", 8}, {"optsingal", 8},
        {"spunmute", 9},  {"without", 10},  {"scanadd", 11},  {"scan", 11},
        {"scanningadd", 11}, {"name", 12},  {"chname", 12},   {"ch-name", 12},
        {"txpower", 5},   {"busy lock", 7},
    }};
    const std::string_view wanted = trimSpaceAndTab(name);
    for (const Alias& alias : kAliases) {
        if (sameWordIgnoringCase(alias.name, wanted)) {
            return alias.column;
        }
    }
    for (int column = 1; column < ChannelTable::kColumns; ++column) {
        if (sameWordIgnoringCase(trimBlanks(strings.columnTitles[static_cast<std::size_t>(column)]),
                                 wanted)) {
            return column;
        }
    }
    return std::nullopt;
}

}  // namespace lumo
