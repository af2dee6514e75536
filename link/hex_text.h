#pragma once

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace lumo {

// A hex command text that cannot be converted.
class HexTextError : public std::invalid_argument {
public:
    using std::invalid_argument::invalid_argument;
};

// The most bytes one hex text may carry (the size of the command buffer).
inline constexpr std::size_t kCommandBytesSize = 260;

// Converts hex text ("52 0E 00 40", any letter case, final blank optional) to bytes.
// Each blank becomes a leading "0" of the token after it, so two blanks in a row
// give an extra 0x00 and a single trailing blank adds nothing. Each token gives its
// low 8 bits. Throws HexTextError for a token that is not hexadecimal and for a text
// of more than kCommandBytesSize bytes.
std::vector<std::uint8_t> parseHexText(std::string_view text);

// Bytes as hex text: two upper-case digits and one blank per byte, the last included.
std::string formatHexText(std::span<const std::uint8_t> bytes);

// The text with leading and trailing blanks removed.
std::string_view trimBlanks(std::string_view text);

}  // namespace lumo
