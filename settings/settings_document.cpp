#include "settings/settings_document.h"

#include <map>

namespace lumo {

FileDialogKind settingsFileDialog() {
    return {"optw", "optw file(*.optw)|*.optw"};
}

SettingsDocument::SettingsDocument(SettingsForm& form, SettingsCommands& commands,
                                   const Session& session, DocumentDialogs& documents)
    : form_(form), commands_(commands), session_(session), documents_(documents),
      unmodified_(form.saveLines()) {}

bool SettingsDocument::saveSettings() {
    if (session_.Busy) {
        return false;
    }
    const auto path = documents_.chooseSaveFile(
        settingsFileDialog(), currentFile_.empty() ? std::filesystem::path(proposedName_) : currentFile_);
    if (!path || !commands_.save(*path)) {
        return false;
    }
    markUnmodified();
    currentFile_ = *path;
    return true;
}

bool SettingsDocument::openSettings() {
    if (session_.Busy) {
        return false;
    }
    const auto path = documents_.chooseOpenFile(settingsFileDialog());
    if (!path || !commands_.open(*path)) {
        return false;
    }
    markUnmodified();
    currentFile_ = *path;
    return true;
}

void SettingsDocument::startUnnamed(std::string proposedName) {
    currentFile_.clear();
    proposedName_ = std::move(proposedName);
}

bool SettingsDocument::openBackup(const std::filesystem::path& backup) {
    if (!commands_.open(backup)) {
        return false;
    }
    startUnnamed(kRestoredSettingsName);
    return true;
}

bool SettingsDocument::confirmClose() {
    if (!modified()) {
        return true;
    }
    switch (documents_.askSaveChanges(kSaveSettingsQuestion)) {
        case SaveChangesAnswer::Save: return saveSettings();
        case SaveChangesAnswer::Discard: return true;
        case SaveChangesAnswer::Cancel: return false;
    }
    return false;
}

std::string settingsToolTip(std::string_view controlName) {
    namespace names = settings_controls;
    static const std::map<std::string_view, std::string_view> tips{
        {names::kCurrentChannel, "Current channel: the channel the radio is on when it starts"},
        {names::kCtcss, "CTCSS tone of the current channel (Off when DCS is used)"},
        {names::kDcs, "DCS code of the current channel (Off when CTCSS is used)"},
        {names::kSquelch, "Squelch level: how strong a signal must be before the radio opens "
                          "its speaker (0 always open, 9 only strong signals)"},
        {names::kVolume, "Volume: the loudness of the speaker, 0 to 15"},
        {names::kBacklight, "Backlighting level: the brightness of the display and keys, 0 to 5"},
        {names::kHighPowerAllowed, "High power allowed: whether the radio may transmit at high power"},
        {names::kTimeOutTimer, "Time-out timer: the radio stops transmitting after this long "
                               "(0ff: never)"},
        {names::kPreAlert, "Time-out pre-alert: how long before the time-out the radio warns"},
        {names::kBeepVolume, "Beep volume: the loudness of the key beeps (b0 switches them off)"},
        {names::kPower, "Power switch setting"},
        {names::kCeilingMounting, "LCD ceiling mounting: turns the display upside down for a "
                                  "radio mounted overhead"},
        {names::kKeyLock, "Locking key: locks the keypad against accidental presses"},
        {names::kHighTxPower, "High transmit power"},
    };
    const auto found = tips.find(controlName);
    return found == tips.end() ? std::string() : std::string(found->second);
}

}  // namespace lumo
