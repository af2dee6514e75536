#pragma once

#include "settings/settings_commands.h"
#include "settings/settings_document.h"
#include "settings/settings_form.h"
#include "shell/write_flow.h"

namespace lumo {

// The settings window's form as the write flow moves it: the settings bytes from
// 0x0E20 (the 15 a read gives; a write's 16th byte is reserved).
class SettingsWriteSubject final : public WriteSubject {
  public:
    SettingsWriteSubject(SettingsForm& form, SettingsCommands& commands, SettingsDocument& document)
        : form_(form), commands_(commands), document_(document) {}

    BackupKind backupKind() const override { return BackupKind::Settings; }
    const SubjectWords& words() const override;
    RadioBytes toSend() const override;
    WriteProblems problems(const RadioBytes*) const override { return {}; }
    std::vector<std::string> changes(const RadioBytes& radio) const override;
    std::vector<std::string> warnings(const RadioBytes&) const override { return {}; }
    std::vector<std::string> differences(const RadioBytes& wrote, const RadioBytes& held) const override;
    std::string backupContent(const RadioBytes& bytes) const override;
    RadioBytes loadBackup(const std::filesystem::path& file) const override;
    std::optional<RadioBytes> readIntoWindow(TransferHost& host, TransferCancel& cancel) override;
    std::optional<RadioBytes> look(TransferHost& host, TransferCancel& cancel) override;
    bool send(TransferHost& host, TransferCancel& cancel) override;
    void markInStep() override { document_.markUnmodified(); }

  private:
    // The settings `bytes` stand for, in a form beside the window's own.
    SettingsForm formOf(const RadioBytes& bytes) const;

    SettingsForm& form_;
    SettingsCommands& commands_;
    SettingsDocument& document_;
};

}  // namespace lumo
