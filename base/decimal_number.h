#pragma once

#include <optional>
#include <string_view>

namespace lumo {

// A decimal number held exactly in a chosen unit: its size in whole units and where the
// rest beyond the last whole unit lies, so any rounding is decided on the number as
// written rather than on a nearby binary fraction.
struct ScaledNumber {
    enum class Rest { None, BelowHalf, Half, AboveHalf };

    // Sizes from this many units up are all held as this many: far beyond any value the
    // program keeps (10^9 MHz in hundredths of a hertz), and clear of overflow.
    static constexpr long long kLargest = 100'000'000'000'000'000;

    bool negative = false;
    long long units = 0;
    Rest rest = Rest::None;

    // The nearest whole unit, signed, a half going away from zero.
    long long nearestHalfAway() const;
    // The nearest whole unit, signed, a half going to the even neighbour.
    long long nearestHalfEven() const;
    // Where the number lies against nearestHalfAway(): -1 below it, 0 on it, 1 above.
    int sideOfNearest() const;
};

// A number as the channel cells have always read one: an optional minus, digits with at
// most one point among them (at least one digit), an optional exponent (e or E, an
// optional sign, digits), nothing else, not even blanks. The cells' floating type held
// 0 and magnitudes from about 3.4e-4932 to 1.19e4932; a text beyond those was no number
// to them and is none here. `decimals` sets the unit: with 8, MHz are read in
// hundredths of a hertz.
std::optional<ScaledNumber> readScaledNumber(std::string_view text, int decimals);

}  // namespace lumo
