#include "base/frequency_text.h"

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
        const auto parsed = parseExchangeMegahertz(c.text);
        EXPECT_EQ(parsed ? std::optional(parsed->centihertz()) : std::nullopt, c.centihertz)
            << c.text;
    }
}

TEST(MegahertzText, RoundsToTenHertzHalfToEvenAndFormats) {
    EXPECT_EQ(PreciseFrequency::fromCentihertz(44'600'625'000).nearestTenHertz().tenHertz(),
              44'600'625);
    EXPECT_EQ(PreciseFrequency::fromCentihertz(44'600'625'499).nearestTenHertz().tenHertz(),
              44'600'625);
    EXPECT_EQ(PreciseFrequency::fromCentihertz(44'600'625'500).nearestTenHertz().tenHertz(),
              44'600'626);
    EXPECT_EQ(PreciseFrequency::fromCentihertz(44'600'624'500).nearestTenHertz().tenHertz(),
              44'600'624);

    EXPECT_EQ(fiveDecimalText(Frequency::fromTenHertz(44'600'625)), "446.00625");
    EXPECT_EQ(sixDecimalText(Frequency::fromTenHertz(44'600'625)), "446.006250");
    EXPECT_EQ(sixDecimalText(Frequency::fromTenHertz(50'625)), "0.506250");
    EXPECT_EQ(sixDecimalText(Frequency::fromTenHertz(0)), "0.000000");
}

}  // namespace
}  // namespace lumo
