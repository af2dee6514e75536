#include "cli/write_verify.h"

#include <chrono>
#include <iostream>

#include "channels/channel_compare.h"
#include "channels/channel_transfer.h"
#include "channels/channel_verify.h"
#include "settings/optw_file.h"
#include "settings/settings_review.h"
#include "settings/settings_transfer.h"
#include "shell/backups.h"

namespace lumo::cli {
namespace {

void backUp(const CliContext& context, BackupKind kind, std::string_view content,
            BackupOrigin origin = BackupOrigin::Read) {
    if (context.line().noBackup) {
        return;
    }
    try {
        saveBackup(backupFolder(), kind, content, std::chrono::system_clock::now(), origin);
    } catch (const std::exception& e) {
        std::cerr << "lumo-cli: warning: no backup was kept: " << e.what() << std::endl;
    }
}

}  // namespace

int verifyChannelWrite(CliContext& context, const MemoryImage& sent) {
    BlockingTransferHost host;
    std::cerr << "verifying: reading the channels back" << std::endl;
    const auto read = readBackChannels(context.link(), sent, host);
    if (!read) {
        std::cerr << "lumo-cli write: the channels could not be read back to verify them"
                  << std::endl;
        return 1;
    }
    const std::vector<ChannelDifference>& differences = *read;
    if (differences.empty()) {
        std::cout << "verified: the radio holds every byte that was written" << std::endl;
        return 0;
    }
    for (const ChannelDifference& difference : differences) {
        std::cout << describeDifference(difference, "wrote ", ", radio holds ") << "\n";
    }
    std::cout << differences.size() << " channel(s) differ from what was written" << std::endl;
    return kVerifyFailed;
}

int verifySettingsWrite(CliContext& context, const SettingsForm& sent) {
    std::cerr << "verifying: reading the settings back" << std::endl;
    const std::optional<SettingsBytes> held = ReadDuneBytes(context.link(), {});
    if (!held) {
        std::cerr << "lumo-cli settings: the settings could not be read back to verify them"
                  << std::endl;
        return 1;
    }
    const std::vector<std::string> differ = compareWrittenSettings(sent.radioBytes(), *held);
    for (const std::string& line : differ) {
        std::cout << line << "\n";
    }
    if (differ.empty()) {
        std::cout << "verified: the radio holds every settings byte that was written" << std::endl;
        return 0;
    }
    std::cout << differ.size() << " settings byte(s) differ from what was written" << std::endl;
    return kVerifyFailed;
}

void backUpChannels(const CliContext& context, const MemoryImage& image) {
    backUp(context, BackupKind::Channels,
           std::string_view(reinterpret_cast<const char*>(image.data()), image.size()));
}

void backUpSettings(const CliContext& context, const SettingsForm& form) {
    backUp(context, BackupKind::Settings, joinOptwLines(form.saveLines()));
}

void recordChannelWrite(const CliContext& context, const MemoryImage& sent) {
    backUp(context, BackupKind::Channels,
           std::string_view(reinterpret_cast<const char*>(sent.data()), sent.size()),
           BackupOrigin::Written);
}

void recordSettingsWrite(const CliContext& context, const SettingsForm& sent) {
    backUp(context, BackupKind::Settings, joinOptwLines(sent.saveLines()), BackupOrigin::Written);
}

std::string newestChannelBackup() {
    const auto entry = newestBackup(backupFolder(), BackupKind::Channels);
    return entry ? entry->file.string() : std::string();
}

}  // namespace lumo::cli
