#include "base/frequency_text.h"

#include <cstdio>

#include "base/decimal_number.h"

namespace lumo {
namespace {

// MHz are read in hundredths of a hertz, written in 10 Hz steps.
constexpr std::size_t kCentihertzDecimals = 8;
constexpr int kStepDecimals = 5;
constexpr std::size_t kMaxWholeDigits = 9;

bool isDigits(std::string_view part) {
    for (const char c : part) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return !part.empty();
}

// The frequency with `decimals` decimals (five or more), the whole MHz at least
// `wholeWidth` digits wide.
std::string megahertzText(Frequency frequency, int decimals, int wholeWidth = 1) {
    long long fraction = frequency.tenHertz() % Frequency::kStepsPerMegahertz;
    for (int extra = kStepDecimals; extra < decimals; ++extra) {
        fraction *= 10;
    }
    char text[48];
    std::snprintf(text, sizeof text, "%0*lld.%0*lld", wholeWidth,
                  frequency.tenHertz() / Frequency::kStepsPerMegahertz, decimals, fraction);
    return text;
}

}  // namespace

std::optional<PreciseFrequency> parseCellMegahertz(std::string_view text) {
    const auto number = readScaledNumber(text, static_cast<int>(kCentihertzDecimals));
    if (!number) {
        return std::nullopt;
    }
    return PreciseFrequency::fromCentihertz(
        number->nearestHalfAway(), static_cast<PreciseFrequency::Side>(number->sideOfNearest()));
}

std::optional<PreciseFrequency> parseExchangeMegahertz(std::string_view text) {
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    if (!isDigits(whole) || (point != std::string_view::npos && !isDigits(fraction))) {
        return std::nullopt;
    }
    const std::size_t significant = whole.find_first_not_of('0');
    if (significant != std::string_view::npos && whole.size() - significant > kMaxWholeDigits) {
        return std::nullopt;
    }
    long long centihertz = 0;
    for (const char c : whole) {
        centihertz = centihertz * 10 + (c - '0');
    }
    for (std::size_t at = 0; at < kCentihertzDecimals; ++at) {
        centihertz = centihertz * 10 + (at < fraction.size() ? fraction[at] - '0' : 0);
    }
    if (fraction.size() > kCentihertzDecimals && fraction[kCentihertzDecimals] >= '5') {
        ++centihertz;
    }
    return PreciseFrequency::fromCentihertz(centihertz);
}

std::string fiveDecimalText(Frequency frequency) {
    return megahertzText(frequency, kStepDecimals);
}

std::string sixDecimalText(Frequency frequency) {
    return megahertzText(frequency, kStepDecimals + 1);
}

std::string recordDigitText(Frequency frequency) {
    return megahertzText(frequency, kStepDecimals, 3);
}

std::string shortestDecimal(Frequency frequency) {
    if (frequency.tenHertz() == 0) {
        return "0";
    }
    // The significant digits d and the exponent e of the value d times 10^e.
    std::string digits = std::to_string(frequency.tenHertz());
    int exponent = -kStepDecimals;
    while (digits.size() > 1 && digits.back() == '0') {
        digits.pop_back();
        ++exponent;
    }
    const int size = static_cast<int>(digits.size());

    std::string plain;
    if (exponent >= 0) {
        plain = digits + std::string(static_cast<std::size_t>(exponent), '0');
    } else if (size + exponent > 0) {
        plain = digits.substr(0, static_cast<std::size_t>(size + exponent)) + "." +
                digits.substr(static_cast<std::size_t>(size + exponent));
    } else {
        plain = "0." + std::string(static_cast<std::size_t>(-exponent - size), '0') + digits;
    }

    const int power = exponent + size - 1;
    char powerText[16];
    std::snprintf(powerText, sizeof powerText, "e%c%02d", power < 0 ? '-' : '+',
                  power < 0 ? -power : power);
    const std::string scientific =
        digits.substr(0, 1) + (size > 1 ? "." + digits.substr(1) : "") + powerText;
    // The shorter form, the plain one on a tie.
    return scientific.size() < plain.size() ? scientific : plain;
}

}  // namespace lumo
