#pragma once

#include <algorithm>
#include <string_view>

namespace lumo {

// Words of exchange files are matched the way people type them: ASCII letters in any
// case, blanks and tabs around a value not counting.

inline bool sameWordIgnoringCase(std::string_view a, std::string_view b) {
    const auto upper = [](char c) {
        return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [&](char x, char y) { return upper(x) == upper(y); });
}

inline std::string_view trimSpaceAndTab(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace lumo
