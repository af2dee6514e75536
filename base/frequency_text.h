#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/frequency.h"

namespace lumo {

// The two ways a text of MHz is read. Both give the frequency to the nearest hundredth
// of a hertz, a half going away from zero.

// A number typed into a frequency cell, in any form a cell has always taken: "446",
// ".5", "-446", "4.46e2", "446.0062500001". Nothing for any other text (blanks
// included). A typed number keeps the side of its hundredth it lay on; from 10^9 MHz
// up a number is held as 10^9 MHz.
std::optional<PreciseFrequency> parseCellMegahertz(std::string_view text);

// A frequency in an exchange file or a search: digits, optionally a point followed by
// more digits, at most nine digits before the point (leading zeros aside). Nothing for
// any other text: no signs, exponents or blanks, and not ".5" or "446.".
std::optional<PreciseFrequency> parseExchangeMegahertz(std::string_view text);

// The texts of a frequency, which is not below zero.

// The grid's form, five decimals: "446.00625".
std::string fiveDecimalText(Frequency frequency);
// The CHIRP CSV's form, six decimals: "446.006250".
std::string sixDecimalText(Frequency frequency);
// The record's digits, three before the point: "045.12500".
std::string recordDigitText(Frequency frequency);
// A band limit's shortest form: "440", "440.5"; with an exponent where that is shorter,
// "1e+05".
std::string shortestDecimal(Frequency frequency);

}  // namespace lumo
