#include <iostream>

#include "channels/channel_commands.h"
#include "channels/image_file.h"
#include "cli/channel_documents.h"
#include "cli/signal_cancel.h"
#include "cli/terminal_progress.h"
#include "cli/verbs.h"
#include "cli/write_verify.h"

namespace lumo::cli {

Verb writeVerb() {
    return {
        "write",
        "write a .chnw, .csv or .img to the radio",
        "lumo-cli write [--port P] FILE [--verify]\n"
        "  Writes all 128 channels of FILE to the radio. A .chnw is checked first: every\n"
        "  frequency must lie inside the radio's band and every cell must convert; the\n"
        "  first cell that does not is named by channel, column and text, and nothing is\n"
        "  sent. A CHIRP .csv is read as 'convert' reads it; a refused one sends nothing.\n"
        "  A .img (the radio's 8192-byte channel area) is sent as it is.\n"
        "  --verify reads the channels back in a second session and compares every byte\n"
        "  written; each channel that differs is listed with its columns (exit 3).\n"
        "  Ctrl-C stops the write after the block in progress (exit 130); the radio then\n"
        "  holds part of the new table: write it again, or restore a backup.\n"
        "  Exits 1 when the write fails.\n",
        [](CliContext& context) {
            std::vector<std::string> args;
            bool verify = false;
            for (const std::string& arg : context.line().args) {
                if (arg == "--verify") {
                    verify = true;
                } else {
                    args.push_back(arg);
                }
            }
            if (args.size() != 1 || args[0].rfind("-", 0) == 0) {
                std::cerr << "usage: lumo-cli write [--port P] FILE [--verify]\n";
                return 2;
            }
            LanguageStrings strings;
            Session session(strings);
            session.setUp();
            std::optional<ChannelTable> table;
            std::optional<MemoryImage> image;
            if (channelDocumentOf(args[0]) == ChannelDocument::Image) {
                image = readImageFile(args[0]);
                table.emplace(strings);
            } else {
                table = openChannelDocument(args[0], context.dialogs());
                if (!table) {
                    return 1;
                }
                const std::vector<ConversionError> problems = writeProblems(*table, session);
                for (const ConversionError& problem : problems) {
                    std::cerr << "lumo-cli write: " << problem.what() << "\n";
                }
                if (!problems.empty()) {
                    std::cerr << "lumo-cli write: nothing was sent" << std::endl;
                    return 1;
                }
            }
            ChannelCommands commands(*table, session, context.link());
            TerminalProgress progress("write");
            bool written = false;
            {
                const SignalCancel stop([&commands] { commands.requestCancel(); });
                written = image ? commands.writeImageToRadio(*image, progress)
                                : commands.writeToRadio(progress);
            }
            progress.finish(written);
            const TransferCancel& cancel = commands.cancelState();
            if (cancel.stopped) {
                std::cerr << "lumo-cli write: cancelled after " << cancel.blocksDone << " of "
                          << cancel.blocksTotal << " blocks; the radio's channel area is now "
                          << "partly written." << std::endl;
                const std::string backup = newestChannelBackup();
                if (!backup.empty()) {
                    std::cerr << "The newest backup to restore: lumo-cli write " << backup << std::endl;
                }
                return kCancelled;
            }
            if (!written) {
                return 1;
            }
            recordChannelWrite(context, commands.image());
            return verify ? verifyChannelWrite(context, commands.image()) : 0;
        },
    };
}

}  // namespace lumo::cli
