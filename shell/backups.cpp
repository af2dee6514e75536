#include "shell/backups.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <regex>
#include <system_error>

#include "base/file_descriptor.h"
#include "base/read_file.h"
#include "channels/channel_codec.h"
#include "shell/data_folder.h"

namespace lumo {
namespace {

std::system_error fileError(const std::filesystem::path& path, const std::string& what) {
    return std::system_error(errno, std::generic_category(), what + " \"" + path.string() + "\"");
}


std::string stamp(std::chrono::system_clock::time_point when) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(when);
    std::tm local{};
    localtime_r(&seconds, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
    return text;
}

const char* prefix(BackupKind kind) {
    return kind == BackupKind::Channels ? "channels-" : "settings-";
}

const char* extension(BackupKind kind) {
    return kind == BackupKind::Channels ? ".img" : ".optw";
}

// The content in a temporary file of the folder, flushed to disk.
std::filesystem::path writeTemporary(const std::filesystem::path& folder, std::string_view content) {
    std::string pattern = (folder / ".backup-XXXXXX").string();
    FileDescriptor fd(::mkstemp(pattern.data()));
    if (fd.get() < 0) {
        throw fileError(folder, "cannot write a backup in");
    }
    const std::filesystem::path temporary = pattern;
    std::size_t written = 0;
    while (written < content.size()) {
        const ssize_t n = ::write(fd.get(), content.data() + written, content.size() - written);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            const std::system_error error = fileError(temporary, "cannot write");
            ::unlink(temporary.c_str());
            throw error;
        }
        written += static_cast<std::size_t>(n);
    }
    if (::fsync(fd.get()) != 0) {
        const std::system_error error = fileError(temporary, "cannot write");
        ::unlink(temporary.c_str());
        throw error;
    }
    return temporary;
}

int channelsSetIn(const std::filesystem::path& image) {
    const std::string bytes = readWholeFile(image);
    if (bytes.size() < kMemoryImageSize) {
        return -1;
    }
    int set = 0;
    for (int channel = 1; channel <= ChannelCount; ++channel) {
        const std::size_t at = recordOffset(channel);
        // An RX frequency of all 0xFF means no channel.
        if (!std::all_of(bytes.begin() + static_cast<long>(at), bytes.begin() + static_cast<long>(at) + 4,
                         [](char c) { return static_cast<unsigned char>(c) == 0xFF; })) {
            ++set;
        }
    }
    return set;
}

}  // namespace

std::filesystem::path backupFolder() {
    return lumoDataFolder() / "backups";
}

std::filesystem::path saveBackup(const std::filesystem::path& folder, BackupKind kind,
                                 std::string_view content,
                                 std::chrono::system_clock::time_point when, BackupOrigin origin,
                                 int radio) {
    std::error_code created;
    std::filesystem::create_directories(folder, created);
    if (created) {
        throw std::system_error(created, "cannot make the backup folder \"" + folder.string() + "\"");
    }
    const std::filesystem::path temporary = writeTemporary(folder, content);
    const std::string name =
        prefix(kind) + stamp(when) + (radio > 0 ? "-radio" + std::to_string(radio) : "");
    // link() never replaces a file: a name taken in the same second moves on to -2, -3.
    for (int number = 1; number < 1000; ++number) {
        const std::filesystem::path file =
            folder / (name + (number == 1 ? "" : "-" + std::to_string(number)) +
                      (origin == BackupOrigin::Written ? "-written" : "") + extension(kind));
        if (::link(temporary.c_str(), file.c_str()) == 0) {
            ::unlink(temporary.c_str());
            return file;
        }
        if (errno != EEXIST) {
            const std::system_error error = fileError(file, "cannot write the backup");
            ::unlink(temporary.c_str());
            throw error;
        }
    }
    ::unlink(temporary.c_str());
    errno = EEXIST;
    throw fileError(folder, "no free backup name in");
}

std::vector<BackupEntry> listBackups(const std::filesystem::path& folder) {
    static const std::regex pattern(
        R"((channels|settings)-(\d{4})(\d{2})(\d{2})-(\d{2})(\d{2})(\d{2})(?:-(\d+))?(-written)?\.(img|optw))");
    static const std::regex fleetPattern(R"((.*)-radio(\d+)(-\d+)?(-written)?(\.img|\.optw))");
    struct Found {
        BackupEntry entry;
        std::string order;
        std::filesystem::file_time_type written;
    };
    std::vector<Found> found;
    std::error_code error;
    for (const auto& item : std::filesystem::directory_iterator(folder, error)) {
        std::string name = item.path().filename().string();
        // A fleet's radio number stands between the time and the rest of the name.
        int radio = 0;
        std::smatch fleet;
        if (std::regex_match(name, fleet, fleetPattern)) {
            radio = std::atoi(fleet[2].str().c_str());
            name = fleet[1].str() + fleet[3].str() + fleet[4].str() + fleet[5].str();
        }
        std::smatch m;
        if (!std::regex_match(name, m, pattern) ||
            (m[1] == "channels") != (m[10] == "img")) {
            continue;
        }
        BackupEntry entry;
        entry.file = item.path();
        entry.kind = m[1] == "channels" ? BackupKind::Channels : BackupKind::Settings;
        entry.radio = radio;
        entry.origin = m[9].matched ? BackupOrigin::Written : BackupOrigin::Read;
        entry.time = m[2].str() + "-" + m[3].str() + "-" + m[4].str() + " " + m[5].str() + ":" +
                     m[6].str() + ":" + m[7].str();
        if (entry.kind == BackupKind::Channels) {
            try {
                entry.channelsSet = channelsSetIn(entry.file);
            } catch (const std::exception&) {
                entry.channelsSet = -1;
            }
        }
        char order[64];
        std::snprintf(order, sizeof order, "%s%s%s%s%s%s%06d", m[2].str().c_str(), m[3].str().c_str(),
                      m[4].str().c_str(), m[5].str().c_str(), m[6].str().c_str(), m[7].str().c_str(),
                      m[8].matched ? std::atoi(m[8].str().c_str()) : 1);
        std::error_code unknown;
        found.push_back({entry, order, std::filesystem::last_write_time(entry.file, unknown)});
    }
    // Names of one second sort by their number; a channel image and a settings file of
    // the same second by when they were written.
    std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
        return a.order != b.order ? a.order > b.order : a.written > b.written;
    });
    std::vector<BackupEntry> entries;
    for (Found& f : found) {
        entries.push_back(std::move(f.entry));
    }
    return entries;
}

std::optional<BackupEntry> newestBackup(const std::filesystem::path& folder, BackupKind kind,
                                        std::optional<BackupOrigin> origin) {
    for (BackupEntry& entry : listBackups(folder)) {
        if (entry.kind == kind && (!origin || entry.origin == *origin)) {
            return std::move(entry);
        }
    }
    return std::nullopt;
}

const char* originName(BackupOrigin origin) {
    return origin == BackupOrigin::Written ? "written" : "read";
}

namespace {

// A backup's time from its name, as local time.
std::optional<std::chrono::system_clock::time_point> timeOf(const BackupEntry& entry) {
    std::tm local{};
    if (std::sscanf(entry.time.c_str(), "%d-%d-%d %d:%d:%d", &local.tm_year, &local.tm_mon,
                    &local.tm_mday, &local.tm_hour, &local.tm_min, &local.tm_sec) != 6) {
        return std::nullopt;
    }
    local.tm_year -= 1900;
    local.tm_mon -= 1;
    local.tm_isdst = -1;
    const std::time_t seconds = std::mktime(&local);
    if (seconds == static_cast<std::time_t>(-1)) {
        return std::nullopt;
    }
    return std::chrono::system_clock::from_time_t(seconds);
}

}  // namespace

std::vector<BackupEntry> backupsToPrune(const std::vector<BackupEntry>& entries, int days,
                                        std::chrono::system_clock::time_point now) {
    std::vector<BackupEntry> old;
    if (days <= 0) {
        return old;
    }
    const auto limit = now - std::chrono::hours(24) * days;
    for (std::size_t i = kBackupsAlwaysKept; i < entries.size(); ++i) {
        const auto when = timeOf(entries[i]);
        if (when && *when < limit) {
            old.push_back(entries[i]);
        }
    }
    return old;
}

int pruneBackups(const std::filesystem::path& folder, int days,
                 std::chrono::system_clock::time_point now) {
    int removed = 0;
    for (const BackupEntry& entry : backupsToPrune(listBackups(folder), days, now)) {
        std::error_code error;
        if (std::filesystem::remove(entry.file, error)) {
            ++removed;
        }
    }
    return removed;
}

}  // namespace lumo
