#pragma once

#include <string>
#include <vector>

#include "channels/channel_codec.h"
#include "cli/cli_context.h"
#include "settings/settings_form.h"

namespace lumo::cli {

// Exit status of a write whose read-back differs from what was sent.
inline constexpr int kVerifyFailed = 3;
// Exit status of a transfer stopped by Ctrl-C or SIGTERM, as a shell reports SIGINT.
inline constexpr int kCancelled = 130;

// Reads the channel area back in a session of its own and compares every byte the
// write sent. Prints the verdict; returns 0, kVerifyFailed, or 1 when the read-back
// itself failed.
int verifyChannelWrite(CliContext& context, const MemoryImage& sent);

// The same for the settings: the 16 bytes sent, the two reserved ones excepted.
int verifySettingsWrite(CliContext& context, const SettingsForm& sent);

// Keeps a copy of what a read brought, unless --no-backup; a copy that cannot be
// written is a warning, never a failed read.
void backUpChannels(const CliContext& context, const MemoryImage& image);
void backUpSettings(const CliContext& context, const SettingsForm& form);
// Keeps a record of what a successful write sent, beside the backups ("...-written"),
// unless --no-backup; as with a backup, a record that cannot be kept is a warning.
void recordChannelWrite(const CliContext& context, const MemoryImage& sent);
void recordSettingsWrite(const CliContext& context, const SettingsForm& sent);

// The newest channel backup, for the user to restore from; empty when there is none.
std::string newestChannelBackup();

}  // namespace lumo::cli
