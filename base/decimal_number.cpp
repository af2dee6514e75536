#include "base/decimal_number.h"

#include <algorithm>
#include <string>

namespace lumo {
namespace {

// The magnitudes the cells' floating type held, as significant digits d with the number
// 0.d times 10^exponent: up to the largest below overflow, from the smallest that is
// not denormal. Forty-odd digits settle every text short of absurd.
constexpr std::string_view kLargestDigits = "118973149535723176505351158982948866796625400";
constexpr long long kLargestExponent = 4933;
constexpr std::string_view kBelowSmallestDigits = "336210314311209350617154782902469073753486919";
constexpr long long kSmallestExponent = -4931;
// Exponents are read up to this size; anything larger lies beyond both limits anyway.
constexpr long long kExponentCap = 1'000'000;
constexpr long long kLargestDigitCount = 17;  // digits of ScaledNumber::kLargest - 1

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::size_t digitsFrom(std::string_view text, std::size_t at) {
    while (at < text.size() && isDigit(text[at])) {
        ++at;
    }
    return at;
}

// -1, 0 or 1 as the digits a, read as 0.a, are below, equal to or above 0.b.
int compareDigits(std::string_view a, std::string_view b) {
    for (std::size_t i = 0; i < std::max(a.size(), b.size()); ++i) {
        const char x = i < a.size() ? a[i] : '0';
        const char y = i < b.size() ? b[i] : '0';
        if (x != y) {
            return x < y ? -1 : 1;
        }
    }
    return 0;
}

bool inHeldRange(std::string_view digits, long long exponent) {
    const bool belowLargest =
        exponent < kLargestExponent ||
        (exponent == kLargestExponent && compareDigits(digits, kLargestDigits) <= 0);
    const bool aboveSmallest =
        exponent > kSmallestExponent ||
        (exponent == kSmallestExponent && compareDigits(digits, kBelowSmallestDigits) > 0);
    return belowLargest && aboveSmallest;
}

}  // namespace

long long ScaledNumber::nearestHalfAway() const {
    const long long size = units + (rest == Rest::Half || rest == Rest::AboveHalf ? 1 : 0);
    return negative ? -size : size;
}

long long ScaledNumber::nearestHalfEven() const {
    const bool up = rest == Rest::AboveHalf || (rest == Rest::Half && units % 2 != 0);
    const long long size = units + (up ? 1 : 0);
    return negative ? -size : size;
}

int ScaledNumber::sideOfNearest() const {
    if (rest == Rest::None) {
        return 0;
    }
    // Rounded down, the number lies beyond the nearest unit; rounded up, short of it.
    const int fromZero = rest == Rest::BelowHalf ? 1 : -1;
    return negative ? -fromZero : fromZero;
}

std::optional<ScaledNumber> readScaledNumber(std::string_view text, int decimals) {
    ScaledNumber number;
    std::size_t at = 0;
    if (at < text.size() && text[at] == '-') {
        number.negative = true;
        ++at;
    }
    const std::size_t wholeEnd = digitsFrom(text, at);
    std::string digits(text.substr(at, wholeEnd - at));
    long long exponent = static_cast<long long>(digits.size());
    at = wholeEnd;
    if (at < text.size() && text[at] == '.') {
        const std::size_t fractionEnd = digitsFrom(text, at + 1);
        digits.append(text.substr(at + 1, fractionEnd - at - 1));
        at = fractionEnd;
    }
    if (digits.empty()) {
        return std::nullopt;
    }
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        ++at;
        const bool down = at < text.size() && text[at] == '-';
        if (at < text.size() && (text[at] == '-' || text[at] == '+')) {
            ++at;
        }
        const std::size_t exponentEnd = digitsFrom(text, at);
        if (exponentEnd == at) {
            return std::nullopt;
        }
        long long shift = 0;
        for (; at < exponentEnd; ++at) {
            shift = std::min(shift * 10 + (text[at] - '0'), kExponentCap);
        }
        exponent += down ? -shift : shift;
    }
    if (at != text.size()) {
        return std::nullopt;
    }

    // Now the number is 0.digits times 10^exponent, with no zeros at either end.
    const std::size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos) {
        return number;
    }
    digits.erase(digits.find_last_not_of('0') + 1);
    digits.erase(0, first);
    exponent -= static_cast<long long>(first);
    if (!inHeldRange(digits, exponent)) {
        return std::nullopt;
    }

    const long long wholeDigits = exponent + decimals;
    if (wholeDigits > kLargestDigitCount) {
        number.units = ScaledNumber::kLargest;
        return number;
    }
    std::string_view rest = digits;
    for (long long i = 0; i < wholeDigits; ++i) {
        const std::size_t index = static_cast<std::size_t>(i);
        number.units = number.units * 10 + (index < digits.size() ? digits[index] - '0' : 0);
    }
    rest.remove_prefix(
        std::min(digits.size(), static_cast<std::size_t>(std::max(0LL, wholeDigits))));
    if (rest.empty()) {
        number.rest = ScaledNumber::Rest::None;
    } else if (wholeDigits < 0 || rest.front() < '5') {
        number.rest = ScaledNumber::Rest::BelowHalf;
    } else if (rest.front() > '5' || rest.size() > 1) {
        number.rest = ScaledNumber::Rest::AboveHalf;
    } else {
        number.rest = ScaledNumber::Rest::Half;
    }
    return number;
}

}  // namespace lumo
