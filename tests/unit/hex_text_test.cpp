#include "link/hex_text.h"

#include <gtest/gtest.h>

namespace lumo {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(HexText, ConvertsTextToBytes) {
    struct Case {
        std::string text;
        Bytes bytes;
    };
    const Case cases[] = {
        {"52 0B 00 40", {0x52, 0x0B, 0x00, 0x40}},
        {"52 0E 00 40 ", {0x52, 0x0E, 0x00, 0x40}},
        {"06 ", {0x06}},
        {"06", {0x06}},
        {"52  0B", {0x52, 0x00, 0x0B}},  // two blanks give an extra zero byte
        {"4c", {0x4C}},
        {"ff 0a", {0xFF, 0x0A}},
        {"123", {0x23}},       // low 8 bits of a longer token
        {"5", {}},             // a lone character is not converted
        {"", {}},
        {"00000000FF", {0xFF}},  // leading zeros are free
    };
    for (const Case& c : cases) {
        EXPECT_EQ(parseHexText(c.text), c.bytes) << "text '" << c.text << "'";
    }
}

TEST(HexText, RefusesTextThatIsNotHexOrTooLong) {
    for (const std::string text : {"5G 00", " 06", "06 zz", "1FFFFFFFF "}) {
        EXPECT_THROW(parseHexText(text), HexTextError) << "text '" << text << "'";
    }
    std::string fits;
    for (std::size_t i = 0; i < kCommandBytesSize; ++i) {
        fits += "AB ";
    }
    EXPECT_EQ(parseHexText(fits).size(), kCommandBytesSize);
    EXPECT_THROW(parseHexText(fits + "CD "), HexTextError);
}

TEST(HexText, FormatsBytesWithATrailingBlank) {
    const Bytes bytes{0x06, 0x0A, 0xFF};
    EXPECT_EQ(formatHexText(bytes), "06 0A FF ");
    EXPECT_EQ(parseHexText(formatHexText(bytes)), bytes);
    EXPECT_EQ(trimBlanks("  06 4B  "), "06 4B");
    EXPECT_EQ(trimBlanks("   "), "");
}

}  // namespace
}  // namespace lumo
