#include <iostream>

#include "channels/channel_commands.h"
#include "channels/image_file.h"
#include "cli/channel_documents.h"
#include "cli/signal_cancel.h"
#include "cli/terminal_progress.h"
#include "cli/verbs.h"
#include "cli/write_each.h"
#include "cli/write_verify.h"
#include "shell/channel_write_subject.h"
#include "shell/radio_knowledge.h"

namespace lumo::cli {
namespace {

constexpr const char* kUsageLine =
    "usage: lumo-cli write [--port P] FILE [--verify] [-v] [--keep-out-of-band]\n"
    "       lumo-cli write [--port P] FILE --each [--settings FILE.optw] [--wait-radio]\n"
    "                      [--keep-out-of-band]\n";

struct WriteOptions {
    std::string file;
    bool verify = false;
    bool verbose = false;
    bool keepOutOfBand = false;
    bool each = false;
    EachOptions eachOptions;
};

std::optional<WriteOptions> parseWriteOptions(const std::vector<std::string>& args) {
    WriteOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--each") {
            options.each = true;
        } else if (arg == "--wait-radio") {
            options.eachOptions.waitRadio = true;
        } else if (arg == "--settings" && i + 1 < args.size()) {
            options.eachOptions.settingsFile = args[++i];
        } else if (arg == "--verify") {
            options.verify = true;
        } else if (arg == "-v" || arg == "--verbose") {
            options.verbose = true;
        } else if (arg == "--keep-out-of-band") {
            options.keepOutOfBand = true;
        } else if (options.file.empty() && arg.rfind("-", 0) != 0) {
            options.file = arg;
        } else {
            return std::nullopt;
        }
    }
    // The settings and the waiting belong to a job of several radios.
    if (options.file.empty() ||
        (!options.each && (options.eachOptions.settingsFile || options.eachOptions.waitRadio))) {
        return std::nullopt;
    }
    return options;
}

// The command line keeps no session, so what the radio holds is known only from the
// newest backup, and only when that was read from the radio.
std::optional<KnownContent> knownChannels() {
    return newestBackupAsKnown(BackupKind::Channels, [](const std::filesystem::path& file) {
        return radioBytesOf(readImageFile(file));
    });
}

// A problem --keep-out-of-band would let through: a frequency that is a number.
bool isOutsideTheBand(const ConversionError& problem) {
    if (problem.column() != 1 && problem.column() != 2) {
        return false;
    }
    try {
        frequencyValue(problem.text());
        return true;
    } catch (const ConversionError&) {
        return false;
    }
}

// Lists what stops the write; true when nothing does. With --keep-out-of-band the
// bands are not checked at all; otherwise a frequency outside them passes only where
// the radio is known to hold it already.
bool checkTable(const ChannelTable& table, const Session& session, const WriteOptions& options,
                const MemoryImage* radio) {
    Session unbounded = session;
    if (options.keepOutOfBand) {
        const Band open = Band::open();
        unbounded.BandLow = unbounded.Band2Low = open.low;
        unbounded.BandHigh = unbounded.Band2High = open.high;
    }
    const std::vector<ConversionError> problems =
        writeProblems(table, unbounded, defaultVocabulary(), radio);
    bool outsideTheBand = false;
    for (const ConversionError& problem : problems) {
        std::cerr << "lumo-cli write: " << problem.what() << "\n";
        outsideTheBand = outsideTheBand || isOutsideTheBand(problem);
    }
    if (problems.empty()) {
        return true;
    }
    std::cerr << "lumo-cli write: nothing was sent";
    if (outsideTheBand) {
        std::cerr << "; --keep-out-of-band writes frequencies outside the band as they are";
    }
    std::cerr << std::endl;
    return false;
}

// The table a .chnw or .csv file stands for, ready to send, or nothing when it must
// not be sent (the user has been told why).
std::optional<ChannelTable> tableToWrite(const WriteOptions& options, const Session& session,
                                         UserDialogs& dialogs) {
    auto table = openChannelDocument(options.file, dialogs, {.keepFileRowCount = true});
    if (!table) {
        return std::nullopt;
    }
    const std::optional<KnownContent> known = knownChannels();
    const std::optional<MemoryImage> radio =
        known ? std::optional(memoryImageOf(known->bytes)) : std::nullopt;
    // A .chnw the window saved holds channels 1..99 only; sending the others empty
    // would wipe what the radio keeps there.
    const bool only99 = channelDocumentOf(options.file) == ChannelDocument::TableFile &&
                        table->rowCount() <= ChannelTable::kShownRowCount;
    if (only99 && radio) {
        takeChannelsAbove99(*table, *radio);
    }
    if (!checkTable(*table, session, options, radio ? &*radio : nullptr)) {
        return std::nullopt;
    }
    if (radio) {
        for (const std::string& line : outOfBandHeld(*table, session, *radio)) {
            std::cerr << "lumo-cli write: warning: " << line << "\n";
        }
    }
    if (only99) {
        std::cerr << "lumo-cli write: " << options.file << " holds channels 1-99 only; "
                  << (radio ? "channels 100-128 stay as " + known->source + " shows them"
                            : "no backup read from the radio tells what it holds above them, "
                              "so channels 100-128 will be empty on the radio")
                  << std::endl;
    }
    return table;
}

int runWrite(CliContext& context) {
    const std::optional<WriteOptions> options = parseWriteOptions(context.line().args);
    if (!options) {
        std::cerr << kUsageLine;
        return 2;
    }
    LanguageStrings strings;
    Session session(strings);
    session.setUp();
    ChannelTable table(strings);
    std::optional<MemoryImage> image;
    if (options->each) {
        if (channelDocumentOf(options->file) == ChannelDocument::Image) {
            std::cerr << "lumo-cli write: --each takes a .chnw or .csv, not a channel image\n";
            return 2;
        }
        std::optional<ChannelTable> checked = tableToWrite(*options, session, context.dialogs());
        return checked ? writeEach(context, std::move(*checked), options->eachOptions) : 1;
    }
    if (channelDocumentOf(options->file) == ChannelDocument::Image) {
        image = readImageFile(options->file);
    } else {
        std::optional<ChannelTable> checked = tableToWrite(*options, session, context.dialogs());
        if (!checked) {
            return 1;
        }
        table = std::move(*checked);
    }
    ChannelCommands commands(table, session, context.link());
    TerminalProgress progress("write");
    bool written = false;
    {
        const SignalCancel stop([&commands] { commands.requestCancel(); });
        written = image ? commands.writeImageToRadio(*image, progress)
                        : commands.writeCheckedTable(progress);
    }
    progress.finish(written);
    const TransferCancel& cancel = commands.cancelState();
    if (cancel.stopped) {
        std::cerr << "lumo-cli write: cancelled after " << cancel.blocksDone << " of "
                  << cancel.blocksTotal << " blocks; the radio's channel area is now "
                  << "partly written. Writing " << options->file
                  << " again completes the table." << std::endl;
        const std::string backup = newestChannelBackup();
        if (!backup.empty()) {
            std::cerr << "The newest backup read from the radio, to restore: lumo-cli write "
                      << backup << std::endl;
        }
        return kCancelled;
    }
    if (!written) {
        return 1;
    }
    recordChannelWrite(context, commands.image());
    return options->verify ? verifyChannelWrite(context, commands.image(), options->verbose) : 0;
}

}  // namespace

Verb writeVerb() {
    return {
        "write",
        "write a .chnw, .csv or .img to the radio",
        "lumo-cli write [--port P] FILE [--verify] [-v] [--keep-out-of-band]\n"
        "  Writes all 128 channels of FILE to the radio. A .chnw or CHIRP .csv is checked\n"
        "  first: every frequency must lie inside the radio's band and every cell must\n"
        "  convert; each cell that does not is named by channel, column and text, and\n"
        "  nothing is sent. A frequency outside the band passes where the newest backup\n"
        "  read from the radio holds it in the same channel (a warning names it), so a\n"
        "  table read from a radio can always go back to it; --keep-out-of-band sends\n"
        "  every frequency outside the band as it is. A .chnw that holds channels 1..99\n"
        "  only (as the window saves it) leaves channels 100..128 as that backup shows\n"
        "  them; without such a backup they are written empty, and lumo-cli says so\n"
        "  first. A .img (the radio's 8192-byte channel area) is sent as it is.\n"
        "  --verify reads the channels back in a second session and compares what each\n"
        "  column shows; each channel that differs is listed with its columns (exit 3).\n"
        "  Bytes no column shows never fail a verify; -v (--verbose) lists every channel\n"
        "  whose bytes differ as well. What the read-back saw is kept as a backup.\n"
        "  Ctrl-C stops the write after the block in progress (exit 130); the radio then\n"
        "  holds part of the new table: write it again, or restore the newest backup.\n"
        "  Exits 1 when the write fails.\n"
        "lumo-cli write [--port P] FILE --each [--settings FILE.optw] [--wait-radio]\n"
        "  Programs several radios in a row with FILE (a .chnw or .csv, checked once as\n"
        "  above) and, with --settings, the settings of FILE.optw: \"Connect radio 1 and\n"
        "  press Enter (q to stop)\", then each radio is written and always verified,\n"
        "  and a record of what it got is kept in the backups folder under its number\n"
        "  (channels-...-radio7-written.img). --wait-radio starts each radio as soon as\n"
        "  it answers, trying about once a second, and first waits until the radio just\n"
        "  programmed stops answering, so none is programmed twice. One line a radio\n"
        "  (\"Radio 7 done: written and verified\" or \"Radio 7 FAILED: reason\"); a\n"
        "  failed radio never stops the job. Ctrl-C stops it after the block in\n"
        "  progress. Then the summary and a log, fleet-YYYYMMDD-HHMMSS.csv in the\n"
        "  backups folder (radio, start, end, result, verify, record). Exits 0 only when\n"
        "  every radio was written and verified.\n",
        runWrite,
    };
}

}  // namespace lumo::cli
