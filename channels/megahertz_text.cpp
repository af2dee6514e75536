#include "channels/megahertz_text.h"

#include <cstdio>

namespace lumo {
namespace {

constexpr int kCentihertzDecimals = 8;
constexpr std::size_t kMaxWholeDigits = 9;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

std::optional<long long> parseMegahertzText(std::string_view text) {
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    const auto allDigits = [](std::string_view part) {
        for (const char c : part) {
            if (!isDigit(c)) {
                return false;
            }
        }
        return !part.empty();
    };
    if (!allDigits(whole) || (point != std::string_view::npos && !allDigits(fraction))) {
        return std::nullopt;
    }
    const std::size_t significant = whole.find_first_not_of('0');
    if (significant != std::string_view::npos && whole.size() - significant > kMaxWholeDigits) {
        return std::nullopt;
    }
    long long value = 0;
    for (const char c : whole) {
        value = value * 10 + (c - '0');
    }
    for (int i = 0; i < kCentihertzDecimals; ++i) {
        const std::size_t at = static_cast<std::size_t>(i);
        value = value * 10 + (at < fraction.size() ? fraction[at] - '0' : 0);
    }
    if (fraction.size() > kCentihertzDecimals && fraction[kCentihertzDecimals] >= '5') {
        ++value;
    }
    return value;
}

long long centihertzToTenHertz(long long centihertz) {
    const long long below = centihertz / kCentihertzPerTenHertz;
    const long long rest = centihertz % kCentihertzPerTenHertz;
    const long long half = kCentihertzPerTenHertz / 2;
    if (rest > half || (rest == half && below % 2 != 0)) {
        return below + 1;
    }
    return below;
}

std::string formatMegahertz(long long tenHertz, int decimals) {
    long long fraction = tenHertz % kTenHertzPerMegahertz;
    for (int extra = 5; extra < decimals; ++extra) {
        fraction *= 10;
    }
    char text[48];
    std::snprintf(text, sizeof text, "%lld.%0*lld", tenHertz / kTenHertzPerMegahertz, decimals,
                  fraction);
    return text;
}

}  // namespace lumo
