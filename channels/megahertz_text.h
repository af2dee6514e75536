#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lumo {

// Frequencies of exchange files as exact integers: a file's decimal text is never
// taken through floating point, so 446.00625 stays on its grid and an offset
// subtracts without drift.

// The finest unit the channel window's rounding looks at: 1 MHz is 10^8 of them.
inline constexpr long long kCentihertzPerMegahertz = 100'000'000;
inline constexpr long long kCentihertzPerTenHertz = 1'000;
// The radio's unit: 1 MHz is 10^5 of them.
inline constexpr long long kTenHertzPerMegahertz = 100'000;

// A decimal text of MHz in hundredths of a hertz: "446.00625" is 44'600'625'000.
// Takes digits, optionally a point followed by more digits; digits beyond the eighth
// decimal round to the nearer hundredth. Nothing for any other text (signs, exponents
// and blanks included) or for more than nine digits before the point.
std::optional<long long> parseMegahertzText(std::string_view text);

// The nearest 10 Hz step, a half going to the even neighbour as the codec rounds.
long long centihertzToTenHertz(long long centihertz);

// A non-negative value in 10 Hz units as MHz with at least five decimals:
// formatMegahertz(44600625, 5) is "446.00625", formatMegahertz(44600625, 6) is
// "446.006250".
std::string formatMegahertz(long long tenHertz, int decimals);

}  // namespace lumo
