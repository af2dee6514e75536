#include "shell/settings_write_subject.h"

#include <algorithm>

#include "settings/optw_file.h"
#include "settings/settings_review.h"

namespace lumo {
namespace {

RadioBytes readPart(const std::vector<std::uint8_t>& written) {
    return RadioBytes(written.begin(), written.begin() + static_cast<long>(kSettingsBytesRead));
}

}  // namespace

const SubjectWords& SettingsWriteSubject::words() const {
    static const SubjectWords words{"settings", "settings",
                                    "The settings in the window were left as they were.", "setting(s)",
                                    "The radio does not hold the settings that were written."};
    return words;
}

SettingsForm SettingsWriteSubject::formOf(const RadioBytes& bytes) const {
    RadioBytes padded = bytes;
    padded.resize(std::max(padded.size(), kSettingsBytesRead), 0xFF);
    return settingsFormOf(form_, padded);
}

RadioBytes SettingsWriteSubject::toSend() const {
    return readPart(form_.radioBytes());
}

std::vector<std::string> SettingsWriteSubject::changes(const RadioBytes& radio) const {
    return settingsChanges(form_, formOf(radio));
}

std::vector<std::string> SettingsWriteSubject::differences(const RadioBytes& wrote,
                                                           const RadioBytes& held) const {
    SettingsBytes exact{};
    exact.fill(0xFF);
    std::copy_n(held.begin(), std::min(held.size(), exact.size()), exact.begin());
    return compareWrittenSettings(formOf(wrote), exact);
}

std::string SettingsWriteSubject::backupContent(const RadioBytes& bytes) const {
    return joinOptwLines(formOf(bytes).saveLines());
}

RadioBytes SettingsWriteSubject::loadBackup(const std::filesystem::path& file) const {
    SettingsForm held = form_;
    held.setChangeListener({});
    held.loadLines(readOptwFile(file));
    return readPart(held.radioBytes());
}

std::optional<RadioBytes> SettingsWriteSubject::readIntoWindow(TransferHost& host,
                                                               TransferCancel& cancel) {
    if (!commands_.read(host, &cancel)) {
        return std::nullopt;
    }
    return readPart(form_.radioBytes());
}

std::optional<RadioBytes> SettingsWriteSubject::look(TransferHost& host, TransferCancel& cancel) {
    const std::optional<SettingsBytes> held = commands_.readRadioBytes(host, &cancel);
    if (!held) {
        return std::nullopt;
    }
    return RadioBytes(held->begin(), held->end());
}

bool SettingsWriteSubject::send(TransferHost& host, TransferCancel& cancel) {
    return commands_.write(host, &cancel);
}

}  // namespace lumo
