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

// Reads the channel area back in a session of its own and compares it with what was
// sent by meaning: what each column shows. Bytes no column shows never fail it;
// `verbose` lists the channels whose bytes differ as well. What the read-back saw is
// kept as a backup. Prints the verdict; returns 0, kVerifyFailed, or 1 when the
// read-back itself failed.
int verifyChannelWrite(CliContext& context, const MemoryImage& sent, bool verbose);

// The same for the settings, control by control; `verbose` lists the bytes that
// differ, the reserved one excepted.
int verifySettingsWrite(CliContext& context, const SettingsForm& sent, bool verbose);

// Keeps a copy of what a read brought, unless --no-backup; a copy that cannot be
// written is a warning, never a failed read.
void backUpChannels(const CliContext& context, const MemoryImage& image);
void backUpSettings(const CliContext& context, const SettingsForm& form);
// Keeps a record of what a successful write sent, beside the backups ("...-written"),
// unless --no-backup; as with a backup, a record that cannot be kept is a warning.
void recordChannelWrite(const CliContext& context, const MemoryImage& sent);
void recordSettingsWrite(const CliContext& context, const SettingsForm& sent);

// The newest channel backup read from the radio, for the user to restore from; empty
// when there is none. A write's record is no such backup: the radio may not hold it.
std::string newestChannelBackup();

}  // namespace lumo::cli
