#include "channels/megahertz_text.h"

#include <gtest/gtest.h>

namespace lumo {
namespace {

TEST(MegahertzText, ReadsDecimalTextExactly) {
    const struct {
        const char* text;
        std::optional<long long> centihertz;
    } cases[] = {
        {"446.00625", 44'600'625'000},
        {"446.006250", 44'600'625'000},
        {"440", 44'000'000'000},
        {"0.6", 60'000'000},
        {"000446.1", 44'610'000'000},
        {"446.000000014", 44'600'000'001},  // the ninth decimal rounds
        {"446.000000015", 44'600'000'002},
        {"999999999.99999999", 99'999'999'999'999'999},
        {"1000000000", std::nullopt},
        {"", std::nullopt},
        {".5", std::nullopt},
        {"446.", std::nullopt},
        {"446.0.1", std::nullopt},
        {" 446", std::nullopt},
        {"+446", std::nullopt},
        {"4.46e2", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(parseMegahertzText(c.text), c.centihertz) << c.text;
    }
}

TEST(MegahertzText, RoundsToTenHertzHalfToEvenAndFormats) {
    EXPECT_EQ(centihertzToTenHertz(44'600'625'000), 44'600'625);
    EXPECT_EQ(centihertzToTenHertz(44'600'625'499), 44'600'625);
    EXPECT_EQ(centihertzToTenHertz(44'600'625'500), 44'600'626);
    EXPECT_EQ(centihertzToTenHertz(44'600'624'500), 44'600'624);

    EXPECT_EQ(formatMegahertz(44'600'625, 5), "446.00625");
    EXPECT_EQ(formatMegahertz(44'600'625, 6), "446.006250");
    EXPECT_EQ(formatMegahertz(50'625, 6), "0.506250");
    EXPECT_EQ(formatMegahertz(0, 6), "0.000000");
}

}  // namespace
}  // namespace lumo
