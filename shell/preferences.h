#pragma once

#include "link/settings_store.h"
#include "shell/appearance.h"

namespace lumo {

// The choices Edit > Preferences offers, kept in the per-user store beside the port.
struct Preferences {
    // Show what a write will change, and ask, before sending it.
    bool reviewBeforeWrite = true;
    // Read the radio back after a write and compare.
    bool verifyAfterWrite = true;
    bool showChannelNames = false;
    // Backups older than this many days are removed, never the newest few; 0 keeps all.
    int keepBackupDays = 365;
    Appearance appearance = Appearance::FollowDesktop;

    friend bool operator==(const Preferences&, const Preferences&) = default;
};

inline constexpr const char* kShowChannelNamesKey = "View/channelNames";

// What the store holds, the defaults where it holds nothing or nonsense.
Preferences loadPreferences(const SettingsStore& store);
void savePreferences(SettingsStore& store, const Preferences& preferences);

}  // namespace lumo
