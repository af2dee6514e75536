#include "cli/edit_operations.h"

#include <array>
#include <charconv>
#include <optional>

#include "channels/channel_column_set.h"
#include "channels/word_match.h"

namespace lumo::cli {
namespace {

// Four digits at most keep "1-99999999" from filling memory before the table
// refuses the channels it lacks.
constexpr std::size_t kMaxChannelDigits = 4;

std::optional<int> channelNumber(std::string_view text) {
    if (text.empty() || text.size() > kMaxChannelDigits ||
        text.find_first_not_of("0123456789") != std::string_view::npos) {
        return std::nullopt;
    }
    int number = 0;
    std::from_chars(text.data(), text.data() + text.size(), number);
    return number;
}

// "N" or "N-M" with N <= M: the channels N to M.
std::optional<std::vector<int>> channelRange(std::string_view text) {
    const std::size_t dash = text.find('-');
    const auto first = channelNumber(text.substr(0, dash));
    const auto last = dash == std::string_view::npos ? first : channelNumber(text.substr(dash + 1));
    if (!first || !last || *first > *last) {
        return std::nullopt;
    }
    std::vector<int> channels;
    for (int channel = *first; channel <= *last; ++channel) {
        channels.push_back(channel);
    }
    return channels;
}

std::vector<int> rangeOrRefuse(std::string_view text, const std::string& form) {
    auto channels = channelRange(text);
    if (!channels) {
        throw BadEditOperation("\"" + std::string(text) + "\" is not " + form + ".");
    }
    return *channels;
}

std::optional<SortKey> sortKeyNamed(std::string_view name) {
    struct Named {
        std::string_view name;
        SortKey key;
    };
    static constexpr std::array<Named, 3> kKeys{
        {{"rx", SortKey::RxFrequency}, {"tx", SortKey::TxFrequency}, {"name", SortKey::Name}}};
    for (const Named& named : kKeys) {
        if (sameWordIgnoringCase(named.name, name)) {
            return named.key;
        }
    }
    return std::nullopt;
}

// Splits "LEFT<mark>RIGHT" at the first mark; nothing when there is none.
std::optional<std::pair<std::string_view, std::string_view>> splitAt(std::string_view text,
                                                                     char mark) {
    const std::size_t at = text.find(mark);
    if (at == std::string_view::npos) {
        return std::nullopt;
    }
    return std::pair{text.substr(0, at), text.substr(at + 1)};
}

EditOperation parseMove(EditOperation operation, std::string_view argument) {
    const auto parts = splitAt(argument, ':');
    const auto to = parts ? channelNumber(parts->second) : std::nullopt;
    if (!to) {
        throw BadEditOperation("write the channels and where the first one goes, as N[-M]:TO.");
    }
    operation.channels = rangeOrRefuse(parts->first, "a channel N or a range N-M");
    operation.firstAfterMove = *to;
    return operation;
}

EditOperation parseSort(EditOperation operation, std::string_view argument) {
    const auto parts = splitAt(argument, ':');
    const auto key = sortKeyNamed(parts ? parts->first : argument);
    if (!key) {
        throw BadEditOperation("sort by rx, tx or name, for channels N-M only as rx:N-M.");
    }
    operation.key = *key;
    if (parts) {
        operation.channels = rangeOrRefuse(parts->second, "a channel N or a range N-M");
    }
    return operation;
}

EditOperation parseSet(EditOperation operation, std::string_view argument,
                       const LanguageStrings& strings) {
    const auto parts = splitAt(argument, ':');
    const auto assignment = parts ? splitAt(parts->second, '=') : std::nullopt;
    if (!assignment) {
        throw BadEditOperation("write the channels, a column and a value: N[-M]:COLUMN=VALUE.");
    }
    operation.channels = rangeOrRefuse(parts->first, "a channel N or a range N-M");
    const auto column = columnNamed(assignment->first, strings);
    if (!column) {
        throw BadEditOperation("there is no column \"" + std::string(assignment->first) +
                               "\": name it by its title or as rx, tx, rxtone, txtone, power, "
                               "wn, busylock, optsignal, spunmute, without, scanadd or name.");
    }
    operation.column = *column;
    operation.value = std::string(assignment->second);
    return operation;
}

}  // namespace

bool isEditOption(std::string_view option) {
    return option == "--insert" || option == "--delete" || option == "--move" ||
           option == "--sort" || option == "--set";
}

EditOperation parseEditOperation(std::string_view option, std::string_view argument,
                                 const LanguageStrings& strings) {
    EditOperation operation;
    operation.asGiven = std::string(option) + " " + std::string(argument);
    if (option == "--insert") {
        const auto channel = channelNumber(argument);
        if (!channel) {
            throw BadEditOperation("\"" + std::string(argument) + "\" is not a channel number.");
        }
        operation.kind = EditOperation::Kind::Insert;
        operation.channels = {*channel};
        return operation;
    }
    if (option == "--delete") {
        operation.kind = EditOperation::Kind::Delete;
        operation.channels = rangeOrRefuse(argument, "a channel N or a range N-M");
        return operation;
    }
    if (option == "--move") {
        operation.kind = EditOperation::Kind::Move;
        return parseMove(std::move(operation), argument);
    }
    if (option == "--sort") {
        operation.kind = EditOperation::Kind::Sort;
        return parseSort(std::move(operation), argument);
    }
    if (option == "--set") {
        operation.kind = EditOperation::Kind::Set;
        return parseSet(std::move(operation), argument, strings);
    }
    throw BadEditOperation("there is no operation " + std::string(option) + ".");
}

void applyEditOperation(ChannelTable& table, const EditOperation& operation, int lastChannel,
                        const Session& session) {
    if (lastChannel < 1) {
        throw ChannelEditRefused("The file has no channels to edit.");
    }
    switch (operation.kind) {
        case EditOperation::Kind::Insert:
            insertChannel(table, operation.channels.front(), lastChannel);
            break;
        case EditOperation::Kind::Delete:
            deleteChannels(table, operation.channels, lastChannel);
            break;
        case EditOperation::Kind::Move:
            moveChannelsTo(table, operation.channels, operation.firstAfterMove, lastChannel);
            break;
        case EditOperation::Kind::Sort:
            sortChannels(table, operation.channels, operation.key, lastChannel);
            break;
        case EditOperation::Kind::Set:
            setChannelColumn(table, operation.channels, operation.column, operation.value,
                             lastChannel, session);
            break;
    }
}

}  // namespace lumo::cli
