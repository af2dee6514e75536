#include "shell/write_flow.h"

#include "shell/clock_time.h"

namespace lumo {
namespace {

// What the link says during a verify's read-back becomes part of one message after
// it: the user has already been told "Translate data complete!". Questions still
// reach the user, who may want the handshake tried again.
class ReadBackDialogs final : public UserDialogs {
  public:
    explicit ReadBackDialogs(UserDialogs& user) : user_(user) {}

    void showMessage(const std::string& text, const std::string& /*caption*/) override {
        if (told_.empty()) {
            told_ = text;
        }
    }
    bool askYesNo(const std::string& text, const std::string& detail) override {
        const bool yes = user_.askYesNo(text, detail);
        if (!yes && told_.empty()) {
            told_ = text;
        }
        return yes;
    }
    const std::string& told() const { return told_; }

  private:
    UserDialogs& user_;
    std::string told_;
};

std::string blocksText(const TransferCancel& cancel) {
    return std::to_string(cancel.blocksDone) + " of " + std::to_string(cancel.blocksTotal) +
           " blocks";
}

}  // namespace

WriteFlow::WriteFlow(WriteSubject& subject, RadioKnowledge& knowledge, HexLink& link,
                     WriteFlowFrontEnd frontEnd)
    : subject_(subject), knowledge_(knowledge), link_(link), frontEnd_(std::move(frontEnd)) {}

bool WriteFlow::runSession(const std::function<bool()>& work) {
    return frontEnd_.session ? frontEnd_.session(work) : work();
}

// A note from the last command does not belong to this one.
void WriteFlow::begin() {
    cancel_.reset();
    if (frontEnd_.status) {
        frontEnd_.status({});
    }
}

void WriteFlow::keep(const RadioBytes& bytes, BackupOrigin origin) {
    if (frontEnd_.keepBackup) {
        frontEnd_.keepBackup(subject_.backupKind(), subject_.backupContent(bytes), origin);
    }
}

std::string WriteFlow::stoppedAt() const {
    return "The transfer was stopped after " + blocksText(cancel_) + ".";
}

std::optional<RadioBytes> WriteFlow::look(TransferHost& host) {
    std::optional<RadioBytes> held;
    runSession([&] {
        held = subject_.look(host, cancel_);
        return held.has_value();
    });
    host.resetProgress();
    return held;
}

bool WriteFlow::read(TransferHost& host) {
    begin();
    std::optional<RadioBytes> held;
    runSession([&] {
        held = subject_.readIntoWindow(host, cancel_);
        return held.has_value();
    });
    if (!held) {
        if (cancel_.stopped) {
            host.resetProgress();
            link_.dialogs().showMessage(stoppedAt() + " " + subject_.words().unchanged);
        }
        return false;
    }
    subject_.markInStep();
    knowledge_.learn(*held, "the last read, at " + clockTime());
    keep(*held, BackupOrigin::Read);
    return true;
}

std::optional<KnownContent> WriteFlow::known() const {
    switch (knowledge_.state()) {
        case RadioKnowledge::State::Known: return knowledge_.known();
        case RadioKnowledge::State::Unsettled: return std::nullopt;
        case RadioKnowledge::State::Untouched: break;
    }
    return newestBackupAsKnown(subject_.backupKind(), [this](const std::filesystem::path& file) {
        return subject_.loadBackup(file);
    });
}

WriteReview WriteFlow::review() const {
    WriteReview review;
    if (knowledge_.state() == RadioKnowledge::State::Unsettled) {
        review.kind = WriteReview::Kind::Unsettled;
        review.source = knowledge_.unsettledBy() + "; the radio's content is not known";
        return review;
    }
    const std::optional<KnownContent> radio = known();
    if (!radio) {
        return review;
    }
    review.source = radio->source;
    review.changes = subject_.changes(radio->bytes);
    review.warnings = subject_.warnings(radio->bytes);
    review.kind = review.changes.empty() ? WriteReview::Kind::NoChanges : WriteReview::Kind::Changes;
    return review;
}

bool WriteFlow::reviewUntilAnswered(TransferHost& host) {
    for (;;) {
        switch (frontEnd_.review(review())) {
            case ReviewAnswer::Write: return true;
            case ReviewAnswer::Cancel: return false;
            case ReviewAnswer::ReadFirst: {
                // A look at the radio for the review only: the window stays as it is.
                const std::optional<RadioBytes> held = look(host);
                if (!held) {
                    if (cancel_.stopped) {
                        link_.dialogs().showMessage(stoppedAt() + " Nothing was written.");
                    }
                    return false;
                }
                knowledge_.learn(*held, "the radio, read at " + clockTime());
                keep(*held, BackupOrigin::Read);
                // What the radio holds may settle a problem, or leave it standing.
                if (refuses(subject_.problems(&*held))) {
                    return false;
                }
                break;
            }
        }
    }
}

bool WriteFlow::refuses(const WriteProblems& problems) {
    for (const std::string& message : problems.messages) {
        link_.dialogs().showWarning(message);
    }
    return !problems.empty();
}

WriteOutcome WriteFlow::write(TransferHost& host, WriteOptions options) {
    begin();
    // Every problem first: nothing is reviewed, or sent, while a cell cannot be. Only
    // what the radio may already hold waits for the review, whose look may settle it.
    std::optional<KnownContent> radio = known();
    const WriteProblems problems = subject_.problems(radio ? &radio->bytes : nullptr);
    const bool lookMaySettle = problems.radioMaySettle && options.review && !radio;
    if (!lookMaySettle && refuses(problems)) {
        return WriteOutcome::Refused;
    }
    if (options.review && !reviewUntilAnswered(host)) {
        return WriteOutcome::Cancelled;
    }
    if (lookMaySettle) {
        radio = known();
        if (refuses(subject_.problems(radio ? &radio->bytes : nullptr))) {
            return WriteOutcome::Refused;
        }
    }
    restorePoint_ = newestBackup(backupFolder(), subject_.backupKind(), BackupOrigin::Read);
    const RadioBytes sent = subject_.toSend();
    const bool written = runSession([&] { return subject_.send(host, cancel_); });
    if (!written) {
        host.resetProgress();
        return cutShort(cancel_.stopped);
    }
    subject_.markInStep();
    keep(sent, BackupOrigin::Written);
    if (!options.verify) {
        knowledge_.learn(sent, "the last write, at " + clockTime());
        return WriteOutcome::Written;
    }
    return verify(host, sent);
}

std::string WriteFlow::restoreAdvice() const {
    const SubjectWords& words = subject_.words();
    std::string text = "Write again completes the " + words.name + ".";
    if (restorePoint_) {
        text += " To put back what the radio held before, open the newest backup of a read, " +
                restorePoint_->file.filename().string() + ", from File > Backups and write it.";
    }
    return text;
}

// The write ended before its last block was acknowledged.
WriteOutcome WriteFlow::cutShort(bool stopped) {
    const SubjectWords& words = subject_.words();
    if (stopped && cancel_.blocksDone == 0) {
        // Stopped before its first block: the radio holds what it held.
        link_.dialogs().showMessage("The transfer was stopped before anything was sent. The radio's " +
                                    words.area + " is as it was.");
        return WriteOutcome::Stopped;
    }
    if (cancel_.blocksTotal == 0) {
        // The radio was never reached, and the handshake has told the user why.
        return WriteOutcome::NotSent;
    }
    knowledge_.unsettle("the last write " + std::string(stopped ? "stopped" : "failed") +
                        " after block " + std::to_string(cancel_.blocksDone) + " of " +
                        std::to_string(cancel_.blocksTotal));
    const std::string text =
        (stopped ? stoppedAt() : "The write failed after " + blocksText(cancel_) + ".") +
        " The radio's " + words.area + (cancel_.blocksDone > 0 ? " is now" : " may now be") +
        " partly written. " + restoreAdvice();
    link_.dialogs().showWarning(text);
    return stopped ? WriteOutcome::Stopped : WriteOutcome::Failed;
}

// A write whose every block was acknowledged: the radio holds what was sent, as far as
// anything short of a read-back can say.
void WriteFlow::settle(const RadioBytes& sent, const std::string& how) {
    knowledge_.learn(sent, "the last write, at " + clockTime() + how);
}

WriteOutcome WriteFlow::verify(TransferHost& host, const RadioBytes& sent) {
    const SubjectWords& words = subject_.words();
    const auto notVerified = [&](const std::string& why) {
        settle(sent, ", not verified");
        if (frontEnd_.status) {
            frontEnd_.status("Written, not verified: " + why);
        }
        return WriteOutcome::NotVerified;
    };
    if (cancel_.requested) {
        return notVerified("the check was stopped");
    }
    ReadBackDialogs readBack(link_.dialogs());
    std::optional<RadioBytes> held;
    {
        const DialogsRedirect quiet(link_, readBack);
        held = look(host);
    }
    if (!held) {
        if (cancel_.stopped) {
            return notVerified("the check was stopped");
        }
        const std::string why = readBack.told().empty()
                                    ? "the " + words.unit + " could not be read back"
                                    : readBack.told();
        settle(sent, ", not verified");
        link_.dialogs().showWarning("Written, but not verified: " + why);
        return WriteOutcome::NotVerified;
    }
    // What the read-back saw is what the radio holds, whichever way the check goes.
    keep(*held, BackupOrigin::Read);
    const std::vector<std::string> differences = subject_.differences(sent, *held);
    if (differences.empty()) {
        settle(sent, ", verified");
        if (frontEnd_.status) {
            frontEnd_.status("Written and verified");
        }
        return WriteOutcome::Verified;
    }
    knowledge_.learn(*held, "the radio, read back at " + clockTime());
    std::string text = words.mismatch + " " + std::to_string(differences.size()) + " " + words.unit +
                       " differ:";
    for (const std::string& line : differences) {
        text += "\n" + line;
    }
    if (restorePoint_) {
        text += "\n\nThe newest backup of what the radio held before: " +
                restorePoint_->file.filename().string();
    }
    link_.dialogs().showWarning(text);
    return WriteOutcome::VerifyDiffers;
}

}  // namespace lumo
