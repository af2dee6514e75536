#include "channels/channel_reorder.h"

#include <algorithm>
#include <numeric>
#include <optional>

#include "base/frequency_text.h"

namespace lumo {
namespace {

constexpr int kRx = 1;
constexpr int kTx = 2;
constexpr int kName = 12;

// The rows of an edit: ascending, once each, and all channels of the table.
std::vector<int> checkedRows(std::vector<int> rows, int lastChannel) {
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    for (const int row : rows) {
        if (row < 1 || row > lastChannel) {
            throw ChannelEditRefused("There is no channel " + std::to_string(row) +
                                     ": the table has channels 1 to " +
                                     std::to_string(lastChannel) + ".");
        }
    }
    return rows;
}

void checkLast(int lastChannel) {
    if (lastChannel < 1 || lastChannel >= ChannelTable::kRows) {
        throw std::out_of_range("no table has " + std::to_string(lastChannel) + " channels");
    }
}

// Rows 1..lastChannel take the channels `from` names (0 for an empty channel), in
// that order. Returns where each row's channel went.
RowMoves arrange(ChannelTable& table, const std::vector<int>& from) {
    const ChannelTable before = table;
    RowMoves moves(ChannelTable::kRows);
    std::iota(moves.begin(), moves.end(), 0);
    for (int row = 1; row < ChannelTable::kRows && static_cast<std::size_t>(row) <= from.size(); ++row) {
        moves[static_cast<std::size_t>(row)] = 0;
    }
    for (std::size_t at = 0; at < from.size(); ++at) {
        const int row = static_cast<int>(at) + 1;
        const int source = from[at];
        for (int column = 1; column < ChannelTable::kColumns; ++column) {
            table.setCell(column, row, source == 0 ? std::string() : before.cell(column, source));
        }
        if (source != 0) {
            moves[static_cast<std::size_t>(source)] = row;
        }
    }
    return moves;
}

std::vector<int> identity(int lastChannel) {
    std::vector<int> order(static_cast<std::size_t>(lastChannel));
    std::iota(order.begin(), order.end(), 1);
    return order;
}

// A frequency cell as a sort key: its value, nothing for a text that is no number.
std::optional<PreciseFrequency> frequencyOf(const std::string& text) {
    return parseExchangeMegahertz(text);
}

std::string upper(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return text;
}

}  // namespace

RowMoves insertChannel(ChannelTable& table, int before, int lastChannel) {
    checkLast(lastChannel);
    checkedRows({before}, lastChannel);
    if (!table.rowIsEmpty(lastChannel)) {
        throw ChannelEditRefused("Channel " + std::to_string(lastChannel) +
                                 " is in use and would be pushed out of the table: delete "
                                 "or move it first.");
    }
    std::vector<int> order = identity(lastChannel);
    order.pop_back();
    order.insert(order.begin() + (before - 1), 0);
    return arrange(table, order);
}

RowMoves deleteChannels(ChannelTable& table, const std::vector<int>& rows, int lastChannel) {
    checkLast(lastChannel);
    const std::vector<int> gone = checkedRows(rows, lastChannel);
    std::vector<int> order;
    for (int row = 1; row <= lastChannel; ++row) {
        if (!std::binary_search(gone.begin(), gone.end(), row)) {
            order.push_back(row);
        }
    }
    order.resize(static_cast<std::size_t>(lastChannel), 0);
    return arrange(table, order);
}

RowMoves moveChannelsTo(ChannelTable& table, const std::vector<int>& rows, int first,
                        int lastChannel) {
    checkLast(lastChannel);
    const std::vector<int> block = checkedRows(rows, lastChannel);
    const int lastFirst = lastChannel - static_cast<int>(block.size()) + 1;
    if (block.empty()) {
        return arrange(table, identity(lastChannel));
    }
    if (first < 1 || first > lastFirst) {
        throw ChannelEditRefused("Channels " + channelNumbersText(block) +
                                 " cannot start at channel " + std::to_string(first) +
                                 ": the table has channels 1 to " +
                                 std::to_string(lastChannel) + ".");
    }
    std::vector<int> order;
    for (int row = 1; row <= lastChannel; ++row) {
        if (!std::binary_search(block.begin(), block.end(), row)) {
            order.push_back(row);
        }
    }
    order.insert(order.begin() + (first - 1), block.begin(), block.end());
    return arrange(table, order);
}

RowMoves moveChannelsBy(ChannelTable& table, const std::vector<int>& rows, int step,
                        int lastChannel) {
    checkLast(lastChannel);
    const std::vector<int> picked = checkedRows(rows, lastChannel);
    std::vector<int> order = identity(lastChannel);
    const bool up = step < 0;
    const bool atEnd = !picked.empty() && (up ? picked.front() == 1 : picked.back() == lastChannel);
    if (!atEnd && step != 0) {
        std::vector<bool> isPicked(static_cast<std::size_t>(lastChannel) + 2, false);
        for (const int row : picked) {
            isPicked[static_cast<std::size_t>(row)] = true;
        }
        // Each picked channel trades places with the unpicked one beside it; walking
        // from the side it moves towards carries a block along as one.
        for (int i = 0; i < lastChannel; ++i) {
            const int at = up ? i : lastChannel - 1 - i;
            const int beside = up ? at - 1 : at + 1;
            const std::size_t here = static_cast<std::size_t>(at);
            const std::size_t there = static_cast<std::size_t>(beside);
            if (beside < 0 || beside >= lastChannel) {
                continue;
            }
            if (isPicked[static_cast<std::size_t>(order[here])] &&
                !isPicked[static_cast<std::size_t>(order[there])]) {
                std::swap(order[here], order[there]);
            }
        }
    }
    return arrange(table, order);
}

int firstRowOfDrop(const std::vector<int>& rows, int beforeRow) {
    const auto above = std::count_if(rows.begin(), rows.end(), [&](int r) { return r < beforeRow; });
    return beforeRow - static_cast<int>(above);
}

RowMoves sortChannels(ChannelTable& table, const std::vector<int>& rows, SortKey key,
                      int lastChannel) {
    checkLast(lastChannel);
    const std::vector<int> places = rows.empty() ? identity(lastChannel) : checkedRows(rows, lastChannel);
    struct Entry {
        int row;
        int rank;  // 0 keyed, 1 text without a value, 2 no key, 3 empty channel
        PreciseFrequency value;
        std::string text;
    };
    std::vector<Entry> entries;
    for (const int row : places) {
        Entry entry{row, 3, {}, {}};
        if (!table.rowIsEmpty(row)) {
            const std::string& cell = table.cell(key == SortKey::Name ? kName : key == SortKey::RxFrequency ? kRx : kTx, row);
            if (cell.empty()) {
                entry.rank = 2;
            } else if (key == SortKey::Name) {
                entry.rank = 0;
                entry.text = upper(cell);
            } else if (const auto value = frequencyOf(cell)) {
                entry.rank = 0;
                entry.value = *value;
            } else {
                entry.rank = 1;
                entry.text = cell;
            }
        }
        entries.push_back(std::move(entry));
    }
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        if (a.rank != b.rank) {
            return a.rank < b.rank;
        }
        if (a.value != b.value) {
            return a.value < b.value;
        }
        return a.text < b.text;
    });
    std::vector<int> order = identity(lastChannel);
    for (std::size_t i = 0; i < places.size(); ++i) {
        order[static_cast<std::size_t>(places[i] - 1)] = entries[i].row;
    }
    return arrange(table, order);
}

std::string channelNumbersText(const std::vector<int>& rows) {
    std::vector<int> sorted = rows;
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    std::string text;
    for (std::size_t i = 0; i < sorted.size();) {
        std::size_t j = i;
        while (j + 1 < sorted.size() && sorted[j + 1] == sorted[j] + 1) {
            ++j;
        }
        if (!text.empty()) {
            text += ", ";
        }
        text += std::to_string(sorted[i]);
        if (j > i) {
            text += "-" + std::to_string(sorted[j]);
        }
        i = j + 1;
    }
    return text;
}

std::string channelsNamed(std::string_view numbers) {
    const bool several = numbers.find_first_of(",-") != std::string_view::npos;
    return (several ? "channels " : "channel ") + std::string(numbers);
}

}  // namespace lumo
