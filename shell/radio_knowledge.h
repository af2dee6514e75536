#pragma once

#include <cstdint>
#include <exception>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "shell/backups.h"

namespace lumo {

// A radio area's bytes as Lumo keeps them: the 8192-byte channel image, or the
// settings bytes from 0x0E20.
using RadioBytes = std::vector<std::uint8_t>;

// What the radio is known to hold, and where that knowledge comes from and when ("the
// last read, at 14:02:11").
struct KnownContent {
    RadioBytes bytes;
    std::string source;
};

// What this program run knows one radio area (the channels or the settings) to hold,
// kept up to date by every read, write and verify, so that a review never guesses it
// from an older file once something has happened.
class RadioKnowledge {
  public:
    enum class State {
        Untouched,  // nothing happened in this run: the newest backup may tell
        Known,      // seen by a read or a verify, or sent by a write that was acknowledged
        Unsettled,  // a write was cut short: part of the area holds what is not known
    };

    State state() const { return state_; }
    // What the radio holds, as a read, a verify or a whole write has shown it.
    void learn(RadioBytes bytes, std::string source) {
        state_ = State::Known;
        known_ = KnownContent{std::move(bytes), std::move(source)};
        unsettled_.clear();
    }
    // A write stopped or failed once the radio was reached; `what` says so ("the last
    // write stopped after block 10 of 256").
    void unsettle(std::string what) {
        state_ = State::Unsettled;
        known_.reset();
        unsettled_ = std::move(what);
    }
    // What the radio holds; nothing unless Known.
    const std::optional<KnownContent>& known() const { return known_; }
    // What cut the last write short, while Unsettled.
    const std::string& unsettledBy() const { return unsettled_; }

  private:
    State state_ = State::Untouched;
    std::optional<KnownContent> known_;
    std::string unsettled_;
};

// The newest backup of `kind` in the backups folder as what the radio holds, read by
// `load`, said to come from "the newest backup, TIME (FILE)". Nothing when there is
// none, when it cannot be read, or when it is the record of a write: a write's record
// says what was sent, not what arrived (a verified write keeps what it read back as a
// newer backup of its own).
template <typename Load>
std::optional<KnownContent> newestBackupAsKnown(BackupKind kind, Load load) {
    const auto entry = newestBackup(backupFolder(), kind);
    if (!entry || entry->origin == BackupOrigin::Written) {
        return std::nullopt;
    }
    try {
        return KnownContent{load(entry->file), "the newest backup, " + entry->time + " (" +
                                                   entry->file.filename().string() + ")"};
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

}  // namespace lumo
