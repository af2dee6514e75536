#include "shell/fleet_job.h"

#include <algorithm>
#include <thread>

#include "base/atomic_file.h"
#include "shell/backups.h"
#include "shell/clock_time.h"

namespace lumo {
namespace {

// Takes every message a write would show, so that nothing waits for a person between
// two radios; every question is answered No (a handshake is not tried again, the next
// radio will be).
class KeptMessages final : public UserDialogs {
  public:
    void showMessage(const std::string& text, const std::string& /*caption*/) override {
        said_.push_back(text);
    }
    bool askYesNo(const std::string& text, const std::string& /*detail*/) override {
        said_.push_back(text);
        return false;
    }
    // The first sentence of the last thing said: why a write ended as it did.
    std::string last() const {
        if (said_.empty()) {
            return {};
        }
        const std::string& text = said_.back();
        const std::size_t sentence = text.find(". ");
        std::string line = text.substr(
            0, std::min(text.find('\n'), sentence == std::string::npos ? sentence : sentence + 1));
        while (!line.empty() && (line.back() == ' ' || line.back() == ':')) {
            line.pop_back();
        }
        return line;
    }

  private:
    std::vector<std::string> said_;
};

std::string now() {
    return localDateTime(std::chrono::system_clock::now());
}

// A CSV field, quoted when it holds a comma, a quote or a line break.
std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        return text;
    }
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + "\"";
}

}  // namespace

FleetJob::FleetJob(std::vector<WriteSubject*> subjects, HexLink& link, FleetFrontEnd frontEnd,
                   std::filesystem::path backups)
    : subjects_(std::move(subjects)),
      link_(link),
      frontEnd_(std::move(frontEnd)),
      backups_(std::move(backups)) {}

std::vector<std::string> FleetJob::problems() const {
    std::vector<std::string> messages;
    for (const WriteSubject* subject : subjects_) {
        const WriteProblems found = subject->problems(nullptr);
        messages.insert(messages.end(), found.messages.begin(), found.messages.end());
    }
    return messages;
}

void FleetJob::requestStop() {
    stop_.requested = true;
    const std::lock_guard lock(currentMutex_);
    if (current_ != nullptr) {
        current_->requestStop();
    }
}

void FleetJob::setCurrent(WriteFlow* flow) {
    const std::lock_guard lock(currentMutex_);
    current_ = flow;
}

WriteOutcome FleetJob::writeOne(WriteSubject& subject, FleetRadio& radio, TransferHost& host) {
    RadioKnowledge knowledge;  // each radio is a stranger: nothing is known of it
    int sessions = 0;
    WriteFlowFrontEnd frontEnd;
    frontEnd.session = [&](const std::function<bool()>& work) {
        // The write's one session, then its read-back.
        if (frontEnd_.step) {
            frontEnd_.step(radio.number, sessions++ == 0 ? FleetStep::Writing : FleetStep::Verifying);
        }
        // A stop asked for before the write began, which the flow's start forgets.
        if (stop_.requested) {
            return false;
        }
        return frontEnd_.session ? frontEnd_.session(work) : work();
    };
    frontEnd.keepBackup = [&](BackupKind kind, std::string_view content, BackupOrigin origin) {
        // Only the record of what was written: a verified read-back holds the same.
        if (origin == BackupOrigin::Written) {
            radio.records.push_back(saveBackup(backups_, kind, content,
                                               std::chrono::system_clock::now(), origin,
                                               radio.number));
        }
    };
    WriteFlow flow(subject, knowledge, link_, std::move(frontEnd));
    setCurrent(&flow);
    const WriteOutcome outcome = flow.write(host, {.review = false, .verify = true});
    setCurrent(nullptr);
    return outcome;
}

const FleetRadio& FleetJob::programRadio(TransferHost& host) {
    FleetRadio radio;
    radio.number = count() + 1;
    radio.start = now();
    radio.done = true;
    for (WriteSubject* subject : subjects_) {
        KeptMessages said;
        WriteOutcome outcome = WriteOutcome::Refused;
        {
            const DialogsRedirect quiet(link_, said);
            outcome = writeOne(*subject, radio, host);
        }
        if (outcome == WriteOutcome::Verified) {
            radio.verify = "verified";
            continue;
        }
        radio.done = false;
        radio.stopped = outcome == WriteOutcome::Stopped || stop_.requested;
        radio.verify = outcome == WriteOutcome::VerifyDiffers ? "differs"
                       : outcome == WriteOutcome::NotVerified ? "not verified"
                                                              : "";
        radio.result = said.last().empty() ? "the " + subject->words().name + " was not written"
                                           : said.last();
        break;
    }
    radio.end = now();
    if (radio.done) {
        radio.result = "written and verified";
    }
    radios_.push_back(std::move(radio));
    return radios_.back();
}

bool FleetJob::radioAnswers(TransferHost& host) {
    KeptMessages said;
    const DialogsRedirect quiet(link_, said);
    // One try, not the retries a person would be offered.
    link_.FirstConnect = true;
    const auto session = [&] {
        return runOnWorker(host, [&] {
            const bool answers = link_.ConnectRadio(link_.PortName);
            link_.CloseLinkPort();
            return answers;
        });
    };
    return frontEnd_.session ? frontEnd_.session(session) : session();
}

bool FleetJob::awaitRadio(TransferHost& host) {
    const int number = count() + 1;
    if (frontEnd_.step) {
        frontEnd_.step(number, FleetStep::Waiting);
    }
    // Tries the identity exchange every `period` from the start of one try to the
    // next, however long a try takes, until it gives `wanted`; false when stopped.
    const auto pollUntil = [&](bool wanted, std::chrono::milliseconds period) {
        for (;;) {
            const auto next = std::chrono::steady_clock::now() + period;
            if (stop_.requested) {
                return false;
            }
            if (radioAnswers(host) == wanted) {
                return true;
            }
            while (!stop_.requested && std::chrono::steady_clock::now() < next) {
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
        }
    };
    // The radio just programmed is still on the line until it stops answering. Every
    // radio gives the same identity, so only the silence between two tells them apart:
    // it is looked for more often than a swap of radios takes.
    if (count() > 0 && !pollUntil(false, pollInterval / 4)) {
        return false;
    }
    if (!pollUntil(true, pollInterval)) {
        return false;
    }
    return !stop_.requested;
}

std::string FleetJob::resultLine(const FleetRadio& radio) {
    const std::string name = "Radio " + std::to_string(radio.number);
    if (radio.done) {
        return name + " done: written and verified \u2014 connect the next radio";
    }
    if (radio.stopped) {
        return name + " stopped: " + radio.result;
    }
    return name + " FAILED: " + radio.result;
}

std::string FleetJob::summary() const {
    int done = 0;
    std::string failed;
    for (const FleetRadio& radio : radios_) {
        if (radio.done) {
            ++done;
            continue;
        }
        std::string reason = radio.result;
        if (!reason.empty() && reason.back() == '.') {
            reason.pop_back();
        }
        failed += (failed.empty() ? "" : "; ") + std::string("radio ") +
                  std::to_string(radio.number) + ", " + reason;
    }
    const int failures = count() - done;
    std::string text = std::to_string(count()) + (count() == 1 ? " radio: " : " radios: ") +
                       std::to_string(done) + " written and verified";
    if (failures > 0) {
        text += ", " + std::to_string(failures) + " failed: " + failed;
    }
    return text;
}

std::string FleetJob::logText() const {
    std::string text = "radio,start,end,result,verify,record\r\n";
    for (const FleetRadio& radio : radios_) {
        std::string records;
        for (const std::filesystem::path& record : radio.records) {
            records += (records.empty() ? "" : " ") + record.filename().string();
        }
        text += std::to_string(radio.number) + "," + radio.start + "," + radio.end + "," +
                csvField(radio.done ? "written and verified"
                                    : (radio.stopped ? "stopped: " : "FAILED: ") + radio.result) +
                "," + radio.verify + "," + csvField(records) + "\r\n";
    }
    return text;
}

std::filesystem::path FleetJob::saveLog(std::chrono::system_clock::time_point when) const {
    std::error_code created;
    std::filesystem::create_directories(backups_, created);
    if (created) {
        throw std::system_error(created,
                                "cannot make the backup folder \"" + backups_.string() + "\"");
    }
    const std::filesystem::path file =
        backups_ / ("fleet-" + localDateTime(when, true) + ".csv");
    writeFileAtomically(file, logText());
    return file;
}

}  // namespace lumo
