#include "cli/write_each.h"

#include <poll.h>
#include <unistd.h>

#include <iostream>

#include "base/document_dialogs.h"
#include "channels/channel_commands.h"
#include "channels/channel_editor.h"
#include "cli/signal_cancel.h"
#include "cli/terminal_progress.h"
#include "settings/settings_document.h"
#include "shell/channel_write_subject.h"
#include "shell/fleet_job.h"
#include "shell/settings_write_subject.h"

namespace lumo::cli {
namespace {

enum class Go { Next, Stop };

// Waits for Enter (next radio) or q, end of input or a stop request (stop), looking
// at the stop request between short waits so that Ctrl-C is never stuck behind a read.
Go waitForEnter(const FleetJob& job, int radio) {
    std::cerr << "Connect radio " << radio << " and press Enter (q to stop): " << std::flush;
    std::string line;
    for (;;) {
        if (job.stopRequested()) {
            std::cerr << "\n";
            return Go::Stop;
        }
        pollfd input{STDIN_FILENO, POLLIN, 0};
        if (poll(&input, 1, 100) <= 0) {
            continue;
        }
        char c = 0;
        if (read(STDIN_FILENO, &c, 1) != 1) {
            std::cerr << "\n";
            return Go::Stop;  // end of input
        }
        if (c == '\n') {
            return line == "q" || line == "Q" ? Go::Stop : Go::Next;
        }
        line += c;
    }
}

}  // namespace

int writeEach(CliContext& context, ChannelTable table, const EachOptions& options) {
    LanguageStrings strings;
    Session session(strings);
    session.setUp();
    HexLink& link = context.link();
    ChannelEditor editor(table, session, context.dialogs(), defaultVocabulary());
    ChannelCommands commands(table, session, link);
    ChannelWriteSubject channels(table, commands, editor, session, defaultVocabulary());
    std::vector<WriteSubject*> subjects{&channels};

    SettingsForm form;
    SettingsCommands settingsCommands(form, session, link);
    NoDocumentDialogs noDocuments;
    SettingsDocument document(form, settingsCommands, session, noDocuments);
    SettingsWriteSubject settings(form, settingsCommands, document);
    if (options.settingsFile) {
        if (!settingsCommands.open(*options.settingsFile)) {
            return 1;  // no radio was touched
        }
        subjects.push_back(&settings);
    }

    FleetFrontEnd frontEnd;
    frontEnd.step = [](int radio, FleetStep step) {
        if (step == FleetStep::Waiting) {
            std::cerr << "Waiting for radio " << radio << " (Ctrl-C to stop)" << std::endl;
        }
    };
    FleetJob job(subjects, link, frontEnd, backupFolder());
    const bool alert = isatty(STDERR_FILENO) != 0;
    BlockingTransferHost waiting;
    {
        const SignalCancel stop([&job] { job.requestStop(); });
        while (!job.stopRequested()) {
            const int number = job.count() + 1;
            if (options.waitRadio ? !job.awaitRadio(waiting)
                                  : waitForEnter(job, number) == Go::Stop) {
                break;
            }
            TerminalProgress progress("radio " + std::to_string(number));
            const FleetRadio& radio = job.programRadio(progress);
            std::cout << FleetJob::resultLine(radio) << std::endl;
            if (!radio.done && alert) {
                std::cerr << '\a' << std::flush;
            }
        }
    }
    std::cout << job.summary() << std::endl;
    if (job.count() > 0) {
        try {
            std::cout << "log: " << job.saveLog(std::chrono::system_clock::now()).string()
                      << std::endl;
        } catch (const std::exception& e) {
            std::cerr << "lumo-cli write: the log was not kept: " << e.what() << std::endl;
        }
    }
    for (const FleetRadio& radio : job.radios()) {
        if (!radio.done) {
            return 1;
        }
    }
    return job.count() > 0 ? 0 : 1;
}

}  // namespace lumo::cli
