#include "base/frequency.h"

namespace lumo {
namespace {

constexpr int kBcdDigits = 8;

long long centihertzOf(Frequency frequency) {
    return PreciseFrequency(frequency).centihertz();
}

}  // namespace

std::uint32_t Frequency::toBcd() const {
    std::uint32_t digits = 0;
    long long rest = steps_;
    for (int i = 0; i < kBcdDigits; ++i) {
        digits |= static_cast<std::uint32_t>(rest % 10) << (4 * i);
        rest /= 10;
    }
    return digits;
}

std::optional<Frequency> Frequency::fromBcd(std::uint32_t digits) {
    long long steps = 0;
    for (int i = kBcdDigits - 1; i >= 0; --i) {
        const std::uint32_t digit = (digits >> (4 * i)) & 0x0F;
        if (digit > 9) {
            return std::nullopt;
        }
        steps = steps * 10 + digit;
    }
    return fromTenHertz(steps);
}

Frequency PreciseFrequency::nearestTenHertz() const {
    const bool negative = centihertz_ < 0;
    const long long size = negative ? -centihertz_ : centihertz_;
    // Which way the number itself lies from the nearest hundredth, away from zero or not.
    const Side outward = negative ? static_cast<Side>(-static_cast<int>(side_)) : side_;
    const long long below = size / kPerTenHertz;
    const long long rest = size % kPerTenHertz;
    const long long half = kPerTenHertz / 2;
    const bool up =
        rest > half ||
        (rest == half && (outward == Side::Above || (outward == Side::On && below % 2 != 0)));
    const long long steps = below + (up ? 1 : 0);
    return Frequency::fromTenHertz(negative ? -steps : steps);
}

Frequency FrequencyOffset::size() const {
    const long long distance = centihertz_ < 0 ? -centihertz_ : centihertz_;
    return PreciseFrequency::fromCentihertz(distance).nearestTenHertz();
}

bool isOnChannelRaster(const PreciseFrequency& frequency) {
    const long long units = frequency.centihertz();
    return units % centihertzOf(kFiveKilohertz) == 0 ||
           units % centihertzOf(kSixPointTwoFiveKilohertz) == 0;
}

Frequency roundToChannelRaster(const PreciseFrequency& frequency) {
    const long long units = frequency.centihertz();
    if (isOnChannelRaster(frequency)) {
        return Frequency::fromTenHertz(units / PreciseFrequency::kPerTenHertz);
    }
    const long long step = centihertzOf(kSixPointTwoFiveKilohertz);
    const long long down = units / step * step;
    const long long up = down + step;
    return Frequency::fromTenHertz((up - units <= units - down ? up : down) /
                                   PreciseFrequency::kPerTenHertz);
}

bool Band::contains(const PreciseFrequency& frequency) const {
    const long long units = frequency.centihertz();
    return !frequency.isBelowZero() && units >= centihertzOf(low) && units <= centihertzOf(high);
}

bool Band::containsStrictly(const PreciseFrequency& frequency) const {
    return frequency > PreciseFrequency(low) && frequency < PreciseFrequency(high);
}

}  // namespace lumo
