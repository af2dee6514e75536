#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/transfer_cancel.h"
#include "base/transfer_host.h"
#include "base/user_dialogs.h"
#include "base/write_review.h"
#include "link/hex_link.h"
#include "shell/backups.h"
#include "shell/radio_knowledge.h"

namespace lumo {

// How the messages of a flow name what it moves.
struct SubjectWords {
    std::string name;       // in the review: "channel table", "settings"
    std::string area;       // on the radio: "channel area", "settings"
    std::string unchanged;  // after a stopped read: "The table was left as it was."
    std::string unit;       // "channel(s)", "setting(s)"
    std::string mismatch;   // "The radio does not hold what was written."
};

// What stops a write: the messages to show, in turn, none when it may go ahead.
struct WriteProblems {
    std::vector<std::string> messages;
    // Every problem is one that the radio itself may settle by holding it already (a
    // frequency outside the bands): a look at the radio is worth offering.
    bool radioMaySettle = false;
    bool empty() const { return messages.empty(); }
};

// One kind of radio content a window reads and writes: its channel table or its
// settings. The flow decides what happens; the subject knows the content.
class WriteSubject {
  public:
    virtual ~WriteSubject() = default;

    virtual BackupKind backupKind() const = 0;
    virtual const SubjectWords& words() const = 0;

    // What a write would send now.
    virtual RadioBytes toSend() const = 0;
    // What stops a write before anything is sent, against what the radio is known to
    // hold (nullptr: nothing is known).
    virtual WriteProblems problems(const RadioBytes* radio) const = 0;
    // What a write would change on a radio holding `radio`, one "old -> new" line each,
    // and what it sends only because the radio already holds it.
    virtual std::vector<std::string> changes(const RadioBytes& radio) const = 0;
    virtual std::vector<std::string> warnings(const RadioBytes& radio) const = 0;
    // What a radio holding `held` shows otherwise than `wrote`, by meaning, one line
    // each: "channel 2: RX Frequency(MHZ) wrote 446.01875, radio holds 446.01874".
    virtual std::vector<std::string> differences(const RadioBytes& wrote,
                                                 const RadioBytes& held) const = 0;
    // A backup file's content, and what a backup file holds.
    virtual std::string backupContent(const RadioBytes& bytes) const = 0;
    virtual RadioBytes loadBackup(const std::filesystem::path& file) const = 0;

    // Sessions with the radio, each waiting through `host` and stopped through
    // `cancel`; the link tells the user of a failure. Nothing when one failed or was
    // stopped.
    // The window's Read: what the radio holds, into the window, "Recive data complete!".
    virtual std::optional<RadioBytes> readIntoWindow(TransferHost& host, TransferCancel& cancel) = 0;
    // A look at what the radio holds, the window left as it is.
    virtual std::optional<RadioBytes> look(TransferHost& host, TransferCancel& cancel) = 0;
    // Sends what toSend() gives; "Translate data complete!".
    virtual bool send(TransferHost& host, TransferCancel& cancel) = 0;
    // The window holds what the radio holds: nothing unsaved.
    virtual void markInStep() {}
};

// What a window lends the flow.
struct WriteFlowFrontEnd {
    // The review before a write, and the user's answer.
    std::function<ReviewAnswer(const WriteReview&)> review;
    // A short note in the status bar; the empty text clears it.
    std::function<void(const std::string&)> status;
    // Runs one radio session with the window locked; by default runs it as it is.
    std::function<bool(const std::function<bool()>&)> session;
    // Keeps a backup of what was read, or a record of what was written.
    std::function<void(BackupKind, std::string_view, BackupOrigin)> keepBackup;
};

struct WriteOptions {
    bool review = true;
    bool verify = true;
};

// How a write ended.
enum class WriteOutcome {
    Refused,        // a problem stopped it; nothing was sent
    Cancelled,      // at the review, or a look before it failed or was stopped
    NotSent,        // the radio was not reached
    Stopped,        // stopped on request, the radio partly written
    Failed,         // failed once the radio was reached, the radio partly written
    Written,        // written, no verify asked for
    Verified,       // written and read back the same
    VerifyDiffers,  // written, and the radio shows something else
    NotVerified,    // written; the read-back was stopped or failed
};

// A window's Read and its Write with review and verify, the same for both windows:
// each step and each message, and what the radio is known to hold, kept true
// whichever way a session ends. One stop request stops whichever session of a
// command runs: the look before a write, the write or its read-back.
class WriteFlow {
  public:
    // Messages go to the user through the link's dialogs.
    WriteFlow(WriteSubject& subject, RadioKnowledge& knowledge, HexLink& link,
              WriteFlowFrontEnd frontEnd);

    // The window's Read. True when the window now holds what the radio holds.
    bool read(TransferHost& host);
    // Check, review, write, record, verify and report.
    WriteOutcome write(TransferHost& host, WriteOptions options);
    // What a review compares with now: what this run knows the radio holds, or, when
    // nothing happened in this run, the newest backup.
    std::optional<KnownContent> known() const;
    // The review of a write now.
    WriteReview review() const;

    // Stops the session in progress after its block, and any after it in the same
    // command; safe from any thread.
    void requestStop() { cancel_.requested = true; }
    const TransferCancel& cancelState() const { return cancel_; }

  private:
    bool runSession(const std::function<bool()>& work);
    // A session that reads what the radio holds, leaving the window alone.
    std::optional<RadioBytes> look(TransferHost& host);
    void begin();
    void keep(const RadioBytes& bytes, BackupOrigin origin);
    // Reviews until the user writes or gives up; false when nothing is to be sent.
    bool reviewUntilAnswered(TransferHost& host);
    // Shows what stops the write, if anything; true when something does.
    bool refuses(const WriteProblems& problems);
    WriteOutcome cutShort(bool stopped);
    WriteOutcome verify(TransferHost& host, const RadioBytes& sent);
    void settle(const RadioBytes& sent, const std::string& how);
    std::string restoreAdvice() const;
    std::string stoppedAt() const;

    WriteSubject& subject_;
    RadioKnowledge& knowledge_;
    HexLink& link_;
    WriteFlowFrontEnd frontEnd_;
    TransferCancel cancel_;
    // The newest read backup when the command began: what to restore after a write.
    std::optional<BackupEntry> restorePoint_;
};

}  // namespace lumo
