#include "link/hex_text.h"

#include <cctype>

namespace lumo {
namespace {

int hexDigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// A token as the platform's hex conversion reads it: one to eight significant hex
// digits (a 32-bit value), leading zeros free.
std::uint8_t convertToken(std::string_view token) {
    if (token.empty()) {
        throw HexTextError("'' is not a valid hexadecimal value");
    }
    std::uint32_t value = 0;
    for (const char c : token) {
        const int digit = hexDigitValue(c);
        if (digit < 0) {
            throw HexTextError("'" + std::string(token) + "' is not a valid hexadecimal value");
        }
        if ((value >> 28) != 0) {
            throw HexTextError("'" + std::string(token) + "' is too large a hexadecimal value");
        }
        value = (value << 4) | static_cast<std::uint32_t>(digit);
    }
    return static_cast<std::uint8_t>(value & 0xFF);
}

}  // namespace

std::vector<std::uint8_t> parseHexText(std::string_view text) {
    std::string copy(text);
    for (char& c : copy) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    std::vector<std::uint8_t> bytes;
    auto append = [&](std::string_view token) {
        if (bytes.size() == kCommandBytesSize) {
            throw HexTextError("hex text carries more than " +
                               std::to_string(kCommandBytesSize) + " bytes");
        }
        bytes.push_back(convertToken(token));
    };
    std::size_t tokenStart = 0;
    for (std::size_t blank = copy.find(' '); blank != std::string::npos;
         blank = copy.find(' ', blank)) {
        append(std::string_view(copy).substr(tokenStart, blank - tokenStart));
        copy[blank] = '0';
        tokenStart = blank;
    }
    if (!copy.empty() && tokenStart < copy.size() - 1) {
        append(std::string_view(copy).substr(tokenStart));
    }
    return bytes;
}

std::string formatHexText(std::span<const std::uint8_t> bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(bytes.size() * 3);
    for (const std::uint8_t b : bytes) {
        text.push_back(kDigits[b >> 4]);
        text.push_back(kDigits[b & 0x0F]);
        text.push_back(' ');
    }
    return text;
}

std::string_view trimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

}  // namespace lumo
