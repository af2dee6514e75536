#pragma once

#include <array>
#include <string>

#include "base/frequency.h"
#include "base/frequency_text.h"
#include "base/languagestr.h"
#include "base/user_dialogs.h"

namespace lumo {

// Bits of WindowFlags, maintained by the child windows.
enum WindowFlag : unsigned {
    kSettingsWindowOpen = 1,
    kChannelWindowOpen = 2,
    kSettingsWindowActive = 4,
    kChannelWindowActive = 8,
};

// The one radio model the program serves, its frequency bands, and the two flags
// through which the windows coordinate. One instance lives with the main window.
class Session {
public:
    explicit Session(LanguageStrings& strings) : strings_(strings) {}

    // The set-up of a normal start: configures the model and bands, fills the status
    // panels and enables the Channel and Param entries.
    void setUp();

    // The Channel and Param commands' fallback when set-up did not run: asks whether
    // to connect now; on Yes configures the session and shows the band limits. Returns
    // whether the command may go on. Changes neither status panels nor menu entries.
    bool lateSetUp(UserDialogs& dialogs);

    bool isConfigured() const { return ModelIndex != 0; }
    // The session's model name, empty when unconfigured.
    std::string modeName() const;
    // Strictly inside band 1 or band 2; the limits themselves are outside.
    bool isInRange(const PreciseFrequency& frequency) const;
    // Band 1 and band 2 as their limits stand.
    std::array<Band, 2> bands() const { return {{{BandLow, BandHigh}, {Band2Low, Band2High}}}; }
    // "Device Tarn been detect!Band Limits[440-451Mhz]"
    std::string bandLimitsMessage() const;

    int ModelIndex = 0;
    Frequency BandLow;
    Frequency BandHigh;
    Frequency Band2Low;
    Frequency Band2High;
    unsigned WindowFlags = 0;
    bool Busy = false;

    // Status bar panels 0..3 ("Connect state:", "connect", "Mode: ", "Tarn" after set-up).
    std::array<std::string, 4> statusPanels;
    // Whether the Channel and Param menu entries are enabled.
    bool channelAndParamEnabled = false;

    const LanguageStrings& strings() const { return strings_; }

private:
    void configureBands();

    LanguageStrings& strings_;
};

}  // namespace lumo
