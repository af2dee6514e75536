#include "shell/backups.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "channels/channel_codec.h"
#include "channels/channel_compare.h"
#include "channels/channel_image.h"
#include "sim/sim_fault.h"
#include "tests/support/test_files.h"
#include "link/settings_store.h"
#include "shell/preferences.h"

namespace lumo {
namespace {

using Clock = std::chrono::system_clock;

Clock::time_point at(int year, int month, int day, int hour, int minute, int second) {
    std::tm local{};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_sec = second;
    local.tm_isdst = -1;
    return Clock::from_time_t(std::mktime(&local));
}

std::string imageBytes(const MemoryImage& image) {
    return std::string(reinterpret_cast<const char*>(image.data()), image.size());
}

TEST(Backups, AreNamedByLocalTimeNeverReplacedAndListedNewestFirst) {
    test::TempDir dir;
    ChannelTable table;
    table.setCell(1, 1, "446.00625");
    table.setCell(1, 7, "446.10000");
    MemoryImage image = blankMemoryImage();
    StoreGridToImage(table, image);
    const auto second = at(2026, 12, 10, 13, 40, 2);
    const auto first = saveBackup(dir.path(), BackupKind::Channels, imageBytes(image), second);
    const auto again = saveBackup(dir.path(), BackupKind::Channels, "other", second);
    const auto third = saveBackup(dir.path(), BackupKind::Channels, "third", second);
    const auto settings =
        saveBackup(dir.path(), BackupKind::Settings, "5\r\n", at(2026, 12, 10, 13, 41, 0));
    EXPECT_EQ(first.filename(), "channels-20261210-134002.img");
    EXPECT_EQ(again.filename(), "channels-20261210-134002-2.img");
    EXPECT_EQ(third.filename(), "channels-20261210-134002-3.img");
    EXPECT_EQ(settings.filename(), "settings-20261210-134100.optw");
    std::ifstream in(first, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), imageBytes(image));
    std::ofstream(dir / "notes.txt") << "not a backup";

    const std::vector<BackupEntry> list = listBackups(dir.path());
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[0].file, settings);
    EXPECT_EQ(list[0].time, "2026-12-10 13:41:00");
    EXPECT_EQ(list[0].channelsSet, -1);
    EXPECT_EQ(list[1].file, third);
    EXPECT_EQ(list[2].file, again);
    EXPECT_EQ(list[3].file, first);
    EXPECT_EQ(list[3].channelsSet, 2);
    // Nothing half-written stays behind.
    int files = 0;
    for ([[maybe_unused]] const auto& item : std::filesystem::directory_iterator(dir.path())) {
        ++files;
    }
    EXPECT_EQ(files, 5);
}

TEST(Backups, AFolderThatCannotBeMadeIsAnError) {
    test::TempDir dir;
    std::ofstream(dir / "file") << "in the way";  // even root cannot make a folder under a file
    EXPECT_THROW(saveBackup(dir / "file" / "backups", BackupKind::Settings, "x", Clock::now()),
                 std::system_error);
}

TEST(Backups, TheFolderFollowsXdgDataHome) {
    const char* saved = std::getenv("XDG_DATA_HOME");
    const std::string keep = saved != nullptr ? saved : "";
    setenv("XDG_DATA_HOME", "/srv/data", 1);
    EXPECT_EQ(backupFolder(), "/srv/data/Lumo/backups");
    setenv("XDG_DATA_HOME", "relative", 1);  // not absolute: ignored, as the standard says
    EXPECT_EQ(backupFolder(), std::filesystem::path(std::getenv("HOME")) / ".local/share/Lumo/backups");
    if (saved != nullptr) {
        setenv("XDG_DATA_HOME", keep.c_str(), 1);
    } else {
        unsetenv("XDG_DATA_HOME");
    }
}

TEST(ChannelCompare, NamesEachChannelAndColumnThatDiffers) {
    ChannelTable a;
    ChannelTable b;
    for (ChannelTable* t : {&a, &b}) {
        t->setCell(1, 5, "446.00625");
        t->setCell(12, 128, "PMR");
    }
    b.setCell(1, 5, "446.01250");
    b.setCell(12, 5, "BASE");
    b.setCell(12, 128, "PMR2");
    const auto differences = compareTables(a, b);
    ASSERT_EQ(differences.size(), 2u);
    EXPECT_EQ(describeDifference(differences[0], "", " -> "),
              "channel 5: RX Frequency(MHZ) 446.00625 -> 446.01250; CH-Name (empty) -> BASE");
    EXPECT_EQ(differences[1].channel, 128);
    EXPECT_TRUE(compareTables(a, a).empty());
}

TEST(ChannelCompare, AWriteIsComparedByMeaningAndBytesOnlyOnRequest) {
    ChannelTable table;
    table.setCell(1, 2, "446.00625");
    table.setCell(2, 2, "446.00625");
    table.setCell(12, 2, "AB");
    MemoryImage wrote = blankMemoryImage();
    StoreGridToImage(table, wrote);
    MemoryImage holds = wrote;
    EXPECT_TRUE(compareWrittenChannels(wrote, holds).empty());
    EXPECT_TRUE(compareChannelBytes(wrote, holds).empty());
    holds[recordOffset(2)] ^= 0x01;  // a digit of the RX frequency
    holds[nameOffset(2) + 1] = 0x0C;  // "B" becomes "C"
    auto differences = compareWrittenChannels(wrote, holds);
    ASSERT_EQ(differences.size(), 1u);
    EXPECT_EQ(differences[0].channel, 2);
    ASSERT_EQ(differences[0].columns.size(), 2u);
    EXPECT_EQ(differences[0].columns[0].column, 1);
    EXPECT_EQ(differences[0].columns[1].right, "AC");
    // Bytes no column shows: the name slot past the name, the fixed option bits, byte 15
    // and a name code after the name's end. The radio still holds what was written.
    holds = wrote;
    for (const std::size_t at : {nameOffset(2) + 10, recordOffset(2) + 12, recordOffset(2) + 15,
                                 nameOffset(2) + 3}) {
        holds[at] ^= 0x01;
    }
    EXPECT_TRUE(compareWrittenChannels(wrote, holds).empty());
    differences = compareChannelBytes(wrote, holds);
    ASSERT_EQ(differences.size(), 1u);
    ASSERT_EQ(differences[0].columns.size(), 2u);  // the record, then the name slot
    EXPECT_EQ(differences[0].columns[0].column, 0);
    EXPECT_EQ(differences[0].columns[0].left.substr(36), "95 8F FE FF");
    EXPECT_EQ(differences[0].columns[0].right.substr(36), "94 8F FE FE");
}

TEST(SimFaults, CorruptTakesAnAddress) {
    std::string error;
    const struct {
        const char* text;
        bool valid;
        unsigned address;
    } cases[] = {{"corrupt:0x0020", true, 0x20}, {"corrupt:32", true, 32}, {"corrupt:0x10000", false, 0},
                 {"corrupt:", false, 0},         {"corrupt:0xZZ", false, 0}, {"corrupt", false, 0}};
    for (const auto& c : cases) {
        const auto fault = tarnsim::parseFault(c.text, error);
        EXPECT_EQ(fault.has_value(), c.valid) << c.text;
        if (fault) {
            EXPECT_EQ(fault->kind, tarnsim::SimFault::Kind::Corrupt);
            EXPECT_EQ(fault->address, c.address);
        }
    }
}

}  // namespace
}  // namespace lumo

namespace lumo {
namespace {

TEST(Backups, AWriteIsRecordedAndListedAsWritten) {
    test::TempDir dir;
    const auto when = at(2026, 12, 8, 9, 15, 0);
    const auto read = saveBackup(dir.path(), BackupKind::Channels, "r", when);
    const auto written = saveBackup(dir.path(), BackupKind::Channels, "w", when, BackupOrigin::Written);
    const auto again = saveBackup(dir.path(), BackupKind::Channels, "w2", when, BackupOrigin::Written);
    const auto settings = saveBackup(dir.path(), BackupKind::Settings, "5\r\n", when, BackupOrigin::Written);
    EXPECT_EQ(read.filename(), "channels-20261208-091500.img");
    EXPECT_EQ(written.filename(), "channels-20261208-091500-written.img");
    EXPECT_EQ(again.filename(), "channels-20261208-091500-2-written.img");
    EXPECT_EQ(settings.filename(), "settings-20261208-091500-written.optw");
    const std::vector<BackupEntry> list = listBackups(dir.path());
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[0].file, again);
    for (const BackupEntry& entry : list) {
        EXPECT_EQ(entry.origin, entry.file == read ? BackupOrigin::Read : BackupOrigin::Written)
            << entry.file;
    }
    EXPECT_STREQ(originName(BackupOrigin::Written), "written");
}

TEST(Backups, AFleetsRecordsNameTheirRadio) {
    test::TempDir dir;
    const auto when = at(2026, 12, 8, 9, 15, 0);
    const auto seventh =
        saveBackup(dir.path(), BackupKind::Channels, "w", when, BackupOrigin::Written, 7);
    const auto again =
        saveBackup(dir.path(), BackupKind::Channels, "w", when, BackupOrigin::Written, 7);
    const auto settings = saveBackup(dir.path(), BackupKind::Settings, "5\r\n", when,
                                     BackupOrigin::Written, 12);
    EXPECT_EQ(seventh.filename(), "channels-20261208-091500-radio7-written.img");
    EXPECT_EQ(again.filename(), "channels-20261208-091500-radio7-2-written.img");
    EXPECT_EQ(settings.filename(), "settings-20261208-091500-radio12-written.optw");
    const std::vector<BackupEntry> list = listBackups(dir.path());
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].file, again);
    for (const BackupEntry& entry : list) {
        EXPECT_EQ(entry.radio, entry.file == settings ? 12 : 7);
        EXPECT_EQ(entry.origin, BackupOrigin::Written);
        EXPECT_EQ(entry.time, "2026-12-08 09:15:00");
    }
}

TEST(Backups, PruningRemovesOnlyOldBackupsBeyondTheNewestTen) {
    // Backups one per day, newest first: day 0 (today) back to day 29.
    const auto now = at(2026, 12, 10, 12, 0, 0);
    std::vector<BackupEntry> entries;
    for (int day = 0; day < 30; ++day) {
        char time[32];
        std::snprintf(time, sizeof time, "2026-%02d-%02d 12:00:00", day < 10 ? 12 : 11,
                      day < 10 ? 10 - day : 30 - (day - 10));
        entries.push_back({std::filesystem::path(std::to_string(day)), BackupKind::Channels,
                           BackupOrigin::Read, time, 0});
    }
    struct Case {
        int days;
        std::size_t expected;  // how many go
        const char* first;     // the newest of them
    };
    for (const Case& c : {Case{0, 0, ""}, Case{365, 0, ""}, Case{20, 9, "21"}, Case{5, 20, "10"},
                          Case{1, 20, "10"}}) {
        const auto pruned = backupsToPrune(entries, c.days, now);
        ASSERT_EQ(pruned.size(), c.expected) << c.days << " days";
        if (!pruned.empty()) {
            EXPECT_EQ(pruned.front().file, c.first) << c.days << " days";
        }
    }

    test::TempDir dir;
    for (int day = 0; day < 12; ++day) {
        saveBackup(dir.path(), BackupKind::Settings, "x", now - std::chrono::hours(24 * 100 * day));
    }
    // The eleventh and twelfth, 1000 and 1100 days old, go; the ten newest stay,
    // though most of them are older than a year.
    EXPECT_EQ(pruneBackups(dir.path(), 365, now), 2);
    EXPECT_EQ(listBackups(dir.path()).size(), 10u);
    EXPECT_EQ(pruneBackups(dir.path(), 0, now), 0);
}

}  // namespace
}  // namespace lumo

namespace lumo {
namespace {

TEST(Preferences, RoundTripThroughTheStoreWithDefaultsForNonsense) {
    MemorySettingsStore store;
    EXPECT_EQ(loadPreferences(store), Preferences{});
    const Preferences chosen{false, false, true, 30, Appearance::Dark};
    savePreferences(store, chosen);
    EXPECT_EQ(loadPreferences(store), chosen);
    store.setValue("Preferences/keepBackupDays", "-3");
    store.setValue("Preferences/verifyAfterWrite", "maybe");
    store.setValue("Preferences/appearance", "purple");
    const Preferences read = loadPreferences(store);
    EXPECT_EQ(read.keepBackupDays, 365);
    EXPECT_TRUE(read.verifyAfterWrite);
    EXPECT_FALSE(read.reviewBeforeWrite);
    EXPECT_EQ(read.appearance, Appearance::FollowDesktop);
}

}  // namespace
}  // namespace lumo
