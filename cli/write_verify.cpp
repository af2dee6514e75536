#include "cli/write_verify.h"

#include <chrono>
#include <iostream>

#include "channels/channel_compare.h"
#include "channels/channel_transfer.h"
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

// A radio may keep bytes that nothing shows its own way, so they never fail a verify;
// -v lists them for whoever wants to know.
void listByteDifferences(const std::vector<std::string>& lines) {
    if (lines.empty()) {
        std::cout << "byte by byte: the radio holds every byte that was written\n";
        return;
    }
    std::cout << "byte by byte, not counted in the verdict:\n";
    for (const std::string& line : lines) {
        std::cout << "  " << line << "\n";
    }
}

}  // namespace

int verifyChannelWrite(CliContext& context, const MemoryImage& sent, bool verbose) {
    BlockingTransferHost host;
    std::cerr << "verifying: reading the channels back" << std::endl;
    MemoryImage held = blankMemoryImage();
    ChannelTransfer readBack(context.link(), held);
    if (!readBack.RunTransfer(TransferMode::Read, host)) {
        std::cerr << "lumo-cli write: the channels could not be read back to verify them"
                  << std::endl;
        return 1;
    }
    // Whatever the verdict, what the read-back saw is what the radio is now known to hold.
    backUpChannels(context, held);
    const std::vector<ChannelDifference> differences = compareWrittenChannels(sent, held);
    for (const ChannelDifference& difference : differences) {
        std::cout << describeDifference(difference, "wrote ", ", radio holds ") << "\n";
    }
    if (verbose) {
        std::vector<std::string> lines;
        for (const ChannelDifference& difference : compareChannelBytes(sent, held)) {
            lines.push_back(describeDifference(difference, "wrote ", ", radio holds "));
        }
        listByteDifferences(lines);
    }
    if (differences.empty()) {
        std::cout << "verified: the radio holds every channel as it was written" << std::endl;
        return 0;
    }
    std::cout << differences.size() << " channel(s) differ from what was written" << std::endl;
    return kVerifyFailed;
}

int verifySettingsWrite(CliContext& context, const SettingsForm& sent, bool verbose) {
    std::cerr << "verifying: reading the settings back" << std::endl;
    const std::optional<SettingsBytes> held = ReadDuneBytes(context.link(), {});
    if (!held) {
        std::cerr << "lumo-cli settings: the settings could not be read back to verify them"
                  << std::endl;
        return 1;
    }
    // Whatever the verdict, what the read-back saw is what the radio is now known to hold.
    backUpSettings(context, settingsFormOf(sent, *held));
    const std::vector<std::string> differ = compareWrittenSettings(sent, *held);
    for (const std::string& line : differ) {
        std::cout << line << "\n";
    }
    if (verbose) {
        listByteDifferences(compareSettingsBytes(sent.radioBytes(), *held));
    }
    if (differ.empty()) {
        std::cout << "verified: the radio holds every setting as it was written" << std::endl;
        return 0;
    }
    std::cout << differ.size() << " setting(s) differ from what was written" << std::endl;
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
    const auto entry = newestBackup(backupFolder(), BackupKind::Channels, BackupOrigin::Read);
    return entry ? entry->file.string() : std::string();
}

}  // namespace lumo::cli
