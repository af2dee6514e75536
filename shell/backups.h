#pragma once

#include <chrono>
#include <exception>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumo {

// Copies of what was read from a radio, kept so that no write can lose the only good
// copy, and a record of what each write sent: channel images and settings files, one
// per successful read or write.
enum class BackupKind { Channels, Settings };
// Where a backup's content came from: read from the radio, or written to it.
enum class BackupOrigin { Read, Written };

// $XDG_DATA_HOME/Lumo/backups, or ~/.local/share/Lumo/backups without it.
std::filesystem::path backupFolder();

// Writes `content` as a new backup named after `when` in local time
// ("channels-20261210-134002.img", "settings-....optw"; a write's record ends in
// "-written" before the extension); a second one in the same second gets "-2", "-3",
// ... No existing file is ever replaced, and no half-written file is ever left under a
// backup's name. A radio number other than 0 names the radio of a fleet after the time
// ("channels-20261210-134002-radio7-written.img"). Returns the file; throws
// std::system_error.
std::filesystem::path saveBackup(const std::filesystem::path& folder, BackupKind kind,
                                 std::string_view content,
                                 std::chrono::system_clock::time_point when,
                                 BackupOrigin origin = BackupOrigin::Read, int radio = 0);

struct BackupEntry {
    std::filesystem::path file;
    BackupKind kind = BackupKind::Channels;
    BackupOrigin origin = BackupOrigin::Read;
    std::string time;  // "2026-12-10 13:40:02", from the name
    // For a channel image, how many channels have a receive frequency; else -1.
    int channelsSet = -1;
    // The radio of a fleet the file was kept for; 0 for a single radio.
    int radio = 0;
};

// The backups in `folder`, newest first. Files of other names are left out.
std::vector<BackupEntry> listBackups(const std::filesystem::path& folder);

// The newest backup of a kind (and of an origin, when given) in `folder`.
std::optional<BackupEntry> newestBackup(const std::filesystem::path& folder, BackupKind kind,
                                        std::optional<BackupOrigin> origin = std::nullopt);

// "read" or "written".
const char* originName(BackupOrigin origin);

// How many of the newest backups pruning never removes, however old.
inline constexpr std::size_t kBackupsAlwaysKept = 10;

// Of `entries` (newest first, as listBackups gives them), those older than `days` days
// at `now`: never one of the newest kBackupsAlwaysKept, and none when `days` is 0.
std::vector<BackupEntry> backupsToPrune(const std::vector<BackupEntry>& entries, int days,
                                        std::chrono::system_clock::time_point now);

// Removes the backups backupsToPrune names; a file that cannot be removed stays.
// Returns how many went.
int pruneBackups(const std::filesystem::path& folder, int days,
                 std::chrono::system_clock::time_point now);

}  // namespace lumo
