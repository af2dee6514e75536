#pragma once

#include <compare>
#include <cstdint>
#include <optional>

namespace lumo {

// A frequency as the channel record holds it: a whole number of 10 Hz steps, so
// 446.00625 MHz is 44'600'625. Being exact, sums, comparisons and texts never drift.
class Frequency {
  public:
    static constexpr long long kStepsPerMegahertz = 100'000;

    constexpr Frequency() = default;
    static constexpr Frequency fromTenHertz(long long steps) {
        Frequency frequency;
        frequency.steps_ = steps;
        return frequency;
    }
    static constexpr Frequency fromMegahertz(long long megahertz) {
        return fromTenHertz(megahertz * kStepsPerMegahertz);
    }
    // Above every radio's band and every number a cell keeps apart (larger ones are held
    // as this): the upper end of a band left open.
    static constexpr Frequency beyondEveryBand() { return fromMegahertz(1'000'000'000); }

    constexpr long long tenHertz() const { return steps_; }
    constexpr bool isMultipleOf(Frequency step) const { return steps_ % step.steps_ == 0; }

    // The record's eight packed BCD digits, the most significant in the top nibble. Only
    // the last eight digits fit: the thousands of MHz drop out. Not below zero.
    std::uint32_t toBcd() const;
    // The frequency eight BCD digits stand for; nothing when a nibble is no digit.
    static std::optional<Frequency> fromBcd(std::uint32_t digits);

    friend constexpr auto operator<=>(const Frequency&, const Frequency&) = default;

  private:
    long long steps_ = 0;
};

// A frequency to the hundredth of a hertz, as a text gave it: the unit the channel
// raster and the band limits are decided in before a value becomes a Frequency. A
// typed number with still more decimals is held as its nearest hundredth and the side
// of it the number lay on, so that the record's rounding to 10 Hz and the strict band
// check still see the number itself.
class PreciseFrequency {
  public:
    static constexpr long long kPerTenHertz = 1'000;
    enum class Side : signed char { Below = -1, On = 0, Above = 1 };

    constexpr PreciseFrequency() = default;
    // Exact, so implicit.
    constexpr PreciseFrequency(Frequency frequency)
        : centihertz_(frequency.tenHertz() * kPerTenHertz) {}
    static constexpr PreciseFrequency fromCentihertz(long long centihertz, Side side = Side::On) {
        PreciseFrequency frequency;
        frequency.centihertz_ = centihertz;
        frequency.side_ = side;
        return frequency;
    }

    // The nearest hundredth of a hertz.
    constexpr long long centihertz() const { return centihertz_; }
    // Below zero, however little.
    constexpr bool isBelowZero() const {
        return centihertz_ < 0 || (centihertz_ == 0 && side_ == Side::Below);
    }
    // The nearest 10 Hz step, a half going to the even neighbour: the record's rounding.
    Frequency nearestTenHertz() const;

    // Ordered as the numbers they were read from.
    friend constexpr auto operator<=>(const PreciseFrequency&, const PreciseFrequency&) = default;

  private:
    long long centihertz_ = 0;
    Side side_ = Side::On;
};

// A signed distance between two frequencies, to the hundredth of a hertz, so that
// TX = RX + offset holds exactly for any text an exchange file or an edit gives.
class FrequencyOffset {
  public:
    constexpr FrequencyOffset() = default;
    // Upward by `size`.
    static constexpr FrequencyOffset of(PreciseFrequency size) {
        FrequencyOffset offset;
        offset.centihertz_ = size.centihertz();
        return offset;
    }
    constexpr FrequencyOffset operator-() const {
        FrequencyOffset offset;
        offset.centihertz_ = -centihertz_;
        return offset;
    }
    // The distance without its direction, to the nearest 10 Hz.
    Frequency size() const;

    friend constexpr auto operator<=>(const FrequencyOffset&, const FrequencyOffset&) = default;
    friend constexpr PreciseFrequency operator+(const PreciseFrequency& frequency,
                                                FrequencyOffset offset) {
        return PreciseFrequency::fromCentihertz(frequency.centihertz() + offset.centihertz_);
    }
    friend constexpr FrequencyOffset operator-(Frequency to, Frequency from);

  private:
    long long centihertz_ = 0;
};

constexpr FrequencyOffset operator-(Frequency to, Frequency from) {
    FrequencyOffset offset;
    offset.centihertz_ = (to.tenHertz() - from.tenHertz()) * PreciseFrequency::kPerTenHertz;
    return offset;
}

constexpr PreciseFrequency operator-(const PreciseFrequency& frequency, FrequencyOffset offset) {
    return frequency + -offset;
}

// The channel raster: every multiple of 5 kHz and of 6.25 kHz.
inline constexpr Frequency kFiveKilohertz = Frequency::fromTenHertz(500);
inline constexpr Frequency kSixPointTwoFiveKilohertz = Frequency::fromTenHertz(625);

// Whether the frequency lies on the raster to the hundredth of a hertz.
bool isOnChannelRaster(const PreciseFrequency& frequency);
// The frequency on the raster: a raster step stays, anything else goes to the nearer
// 6.25 kHz step, a tie going up. Decided on the nearest hundredth of a hertz, so a text
// with up to eight decimals is taken exactly: 446.003125 is a true tie.
Frequency roundToChannelRaster(const PreciseFrequency& frequency);

// A band of frequencies from `low` to `high`.
struct Band {
    Frequency low;
    Frequency high;

    // Every frequency from zero up: what writing channels out of band as they stand
    // checks against.
    static constexpr Band open() { return {Frequency(), Frequency::beyondEveryBand()}; }
    constexpr bool isOpen() const { return high >= Frequency::beyondEveryBand(); }

    // The limits included, to the hundredth of a hertz: a number a hair outside a limit
    // is held when it is the limit to the hundredth. Nothing below zero is held.
    bool contains(const PreciseFrequency& frequency) const;
    // The limits excluded, on the number itself.
    bool containsStrictly(const PreciseFrequency& frequency) const;
};

}  // namespace lumo
