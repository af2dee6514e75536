#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "base/transfer_cancel.h"
#include "base/transfer_host.h"
#include "link/hex_link.h"
#include "shell/write_flow.h"

namespace lumo {

// What happened to one radio of a fleet.
struct FleetRadio {
    int number = 0;
    std::string start;  // "2026-12-11 14:02:11", local time
    std::string end;
    bool done = false;     // written and verified
    bool stopped = false;  // the job was stopped while this radio was being written
    // "written and verified", or why the radio failed ("Device no connect").
    std::string result;
    // "verified", "differs", "not verified", or "" when nothing was written.
    std::string verify;
    std::vector<std::filesystem::path> records;  // what was written to it, as kept
};

// Where a fleet job stands with the radio on the line.
enum class FleetStep { Waiting, Writing, Verifying };

// What the front end lends a fleet job.
struct FleetFrontEnd {
    // Each step as it begins, with the radio's number.
    std::function<void(int radio, FleetStep step)> step;
    // Runs one radio session with the program locked; by default runs it as it is.
    std::function<bool(const std::function<bool()>&)> session;
};

// One table (and optionally the settings) written to one radio after another, each
// radio written, read back and recorded, one failed radio never stopping the job. The
// writes are the single write's own flow, without a review and always verified; the
// job keeps the messages a single write would show, one line a radio.
class FleetJob {
  public:
    // `subjects`: what each radio gets, in order. Backups go to `backups`.
    FleetJob(std::vector<WriteSubject*> subjects, HexLink& link, FleetFrontEnd frontEnd,
             std::filesystem::path backups);

    // What stops every write before the first radio, one message each.
    std::vector<std::string> problems() const;

    // Writes and verifies everything onto the radio on the line now, as radio number
    // count() + 1. Nothing reaches the user; the result says it all.
    const FleetRadio& programRadio(TransferHost& host);

    // Waits, trying the radio's identity exchange about once a second, until a radio
    // answers; after a radio was programmed, first until that one stops answering
    // (looked for four times as often, as the cable may be empty only for a second), so
    // that no radio is programmed twice. False when stopped meanwhile.
    bool awaitRadio(TransferHost& host);

    // Ends the job after the step in progress: a write stops after its block, as a
    // single write does. Safe from any thread.
    void requestStop();
    bool stopRequested() const { return stop_.requested; }

    const std::vector<FleetRadio>& radios() const { return radios_; }
    int count() const { return static_cast<int>(radios_.size()); }

    // "Radio 7 done: written and verified — connect the next radio", or
    // "Radio 7 FAILED: Device no connect".
    static std::string resultLine(const FleetRadio& radio);
    // "12 radios: 11 written and verified, 1 failed: radio 7, Device no connect".
    std::string summary() const;
    // The log, one line a radio, as fleet-YYYYMMDD-HHMMSS.csv in the backups folder;
    // returns the file. Throws std::system_error.
    std::filesystem::path saveLog(std::chrono::system_clock::time_point when) const;
    // The log's text: radio, start, end, result, verify, record file.
    std::string logText() const;

    // Time between two tries of the identity exchange while waiting for a radio.
    std::chrono::milliseconds pollInterval{1000};

  private:
    bool radioAnswers(TransferHost& host);
    WriteOutcome writeOne(WriteSubject& subject, FleetRadio& radio, TransferHost& host);

    std::vector<WriteSubject*> subjects_;
    HexLink& link_;
    FleetFrontEnd frontEnd_;
    std::filesystem::path backups_;
    TransferCancel stop_;
    // The write in progress, for a stop request to reach it; the lock keeps the flow
    // alive while a request reaches it.
    void setCurrent(WriteFlow* flow);
    std::mutex currentMutex_;
    WriteFlow* current_ = nullptr;
    std::vector<FleetRadio> radios_;
};

}  // namespace lumo
