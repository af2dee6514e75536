#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace lumo {

// Copies of what was read from a radio, kept so that no write can lose the only good
// copy: channel images and settings files, one per successful read.
enum class BackupKind { Channels, Settings };

// $XDG_DATA_HOME/Lumo/backups, or ~/.local/share/Lumo/backups without it.
std::filesystem::path backupFolder();

// Writes `content` as a new backup named after `when` in local time
// ("channels-20261210-134002.img", "settings-....optw"); a second one in the same second
// gets "-2", "-3", ... No existing file is ever replaced, and no half-written file is
// ever left under a backup's name. Returns the file; throws std::system_error.
std::filesystem::path saveBackup(const std::filesystem::path& folder, BackupKind kind,
                                 std::string_view content,
                                 std::chrono::system_clock::time_point when);

struct BackupEntry {
    std::filesystem::path file;
    BackupKind kind = BackupKind::Channels;
    std::string time;  // "2026-12-10 13:40:02", from the name
    // For a channel image, how many channels have a receive frequency; else -1.
    int channelsSet = -1;
};

// The backups in `folder`, newest first. Files of other names are left out.
std::vector<BackupEntry> listBackups(const std::filesystem::path& folder);

}  // namespace lumo
