#include "channels/channel_find.h"

#include <algorithm>
#include <cctype>

#include "base/frequency_text.h"
#include "channels/word_match.h"

namespace lumo {
namespace {

bool containsIgnoringCase(std::string_view text, std::string_view part) {
    const auto found = std::search(text.begin(), text.end(), part.begin(), part.end(), [](char a, char b) {
        return std::toupper(static_cast<unsigned char>(a)) == std::toupper(static_cast<unsigned char>(b));
    });
    return found != text.end();
}

bool frequencyMatches(const std::string& cell, std::string_view query,
                      std::optional<PreciseFrequency> value) {
    if (cell.empty()) {
        return false;
    }
    if (cell.starts_with(query)) {
        return true;
    }
    return value && parseExchangeMegahertz(cell) == value;
}

}  // namespace

std::optional<int> findChannel(const ChannelTable& table, std::string_view query, int from,
                               int lastChannel) {
    query = trimSpaceAndTab(query);
    if (query.empty() || lastChannel < 1) {
        return std::nullopt;
    }
    const bool numberText = std::all_of(query.begin(), query.end(), [](char c) {
        return (c >= '0' && c <= '9') || c == '.';
    });
    const auto value = numberText ? parseExchangeMegahertz(query) : std::nullopt;
    for (int step = 1; step <= lastChannel; ++step) {
        const int row = (std::clamp(from, 0, lastChannel) + step - 1) % lastChannel + 1;
        if (containsIgnoringCase(table.cell(12, row), query)) {
            return row;
        }
        if (numberText && (frequencyMatches(table.cell(1, row), query, value) ||
                           frequencyMatches(table.cell(2, row), query, value))) {
            return row;
        }
    }
    return std::nullopt;
}

}  // namespace lumo
