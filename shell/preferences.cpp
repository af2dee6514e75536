#include "shell/preferences.h"

#include <charconv>
#include <string>

namespace lumo {
namespace {

constexpr const char* kReviewKey = "Preferences/reviewBeforeWrite";
constexpr const char* kVerifyKey = "Preferences/verifyAfterWrite";
constexpr const char* kKeepDaysKey = "Preferences/keepBackupDays";
constexpr const char* kAppearanceKey = "Preferences/appearance";
constexpr int kMostDays = 100000;

bool flag(const SettingsStore& store, const char* key, bool byDefault) {
    const auto value = store.value(key);
    if (value == "true") {
        return true;
    }
    if (value == "false") {
        return false;
    }
    return byDefault;
}

int days(const SettingsStore& store, int byDefault) {
    const auto value = store.value(kKeepDaysKey);
    if (!value) {
        return byDefault;
    }
    int number = 0;
    const char* end = value->data() + value->size();
    const auto parsed = std::from_chars(value->data(), end, number);
    if (parsed.ec != std::errc() || parsed.ptr != end || number < 0 || number > kMostDays) {
        return byDefault;
    }
    return number;
}

const char* text(bool value) {
    return value ? "true" : "false";
}

}  // namespace

Preferences loadPreferences(const SettingsStore& store) {
    const Preferences defaults;
    Preferences preferences;
    preferences.reviewBeforeWrite = flag(store, kReviewKey, defaults.reviewBeforeWrite);
    preferences.verifyAfterWrite = flag(store, kVerifyKey, defaults.verifyAfterWrite);
    preferences.showChannelNames = flag(store, kShowChannelNamesKey, defaults.showChannelNames);
    preferences.keepBackupDays = days(store, defaults.keepBackupDays);
    preferences.appearance = appearanceFromWord(store.value(kAppearanceKey).value_or(""));
    return preferences;
}

void savePreferences(SettingsStore& store, const Preferences& preferences) {
    store.setValue(kReviewKey, text(preferences.reviewBeforeWrite));
    store.setValue(kVerifyKey, text(preferences.verifyAfterWrite));
    store.setValue(kShowChannelNamesKey, text(preferences.showChannelNames));
    store.setValue(kKeepDaysKey, std::to_string(preferences.keepBackupDays));
    store.setValue(kAppearanceKey, std::string(appearanceWord(preferences.appearance)));
}

}  // namespace lumo
