#pragma once

#include "base/session.h"
#include "channels/channel_commands.h"
#include "channels/channel_editor.h"
#include "shell/write_flow.h"

namespace lumo {

// The channel window's table as the write flow moves it: the 8192-byte channel image.
class ChannelWriteSubject final : public WriteSubject {
  public:
    ChannelWriteSubject(const ChannelTable& table, ChannelCommands& commands, ChannelEditor& editor,
                        const Session& session, const ChannelVocabulary& vocabulary);

    BackupKind backupKind() const override { return BackupKind::Channels; }
    const SubjectWords& words() const override;
    RadioBytes toSend() const override;
    WriteProblems problems(const RadioBytes* radio) const override;
    std::vector<std::string> changes(const RadioBytes& radio) const override;
    std::vector<std::string> warnings(const RadioBytes& radio) const override;
    std::vector<std::string> differences(const RadioBytes& wrote, const RadioBytes& held) const override;
    std::string backupContent(const RadioBytes& bytes) const override;
    RadioBytes loadBackup(const std::filesystem::path& file) const override;
    std::optional<RadioBytes> readIntoWindow(TransferHost& host, TransferCancel& cancel) override;
    std::optional<RadioBytes> look(TransferHost& host, TransferCancel& cancel) override;
    bool send(TransferHost& host, TransferCancel& cancel) override;
    void markInStep() override;

  private:
    const ChannelTable& table_;
    ChannelCommands& commands_;
    ChannelEditor& editor_;
    const Session& session_;
    const ChannelVocabulary& vocabulary_;
};

// An image as the flow keeps it, and back; bytes beyond either size are 0xFF.
RadioBytes radioBytesOf(const MemoryImage& image);
MemoryImage memoryImageOf(const RadioBytes& bytes);

}  // namespace lumo
