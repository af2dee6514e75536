#include <iostream>

#include "channels/channel_commands.h"
#include "channels/channel_write_check.h"
#include "channels/image_file.h"
#include "cli/channel_documents.h"
#include "cli/signal_cancel.h"
#include "cli/terminal_progress.h"
#include "cli/verbs.h"
#include "cli/write_verify.h"

namespace lumo::cli {

Verb readVerb() {
    return {
        "read",
        "read the radio's channel table",
        "lumo-cli read [--port P] [-o FILE]\n"
        "  Reads all 128 channels from the radio. With -o FILE saves them: a .chnw as the\n"
        "  channel window saves after a read (channels 1..99, or all 128 when one above\n"
        "  99 is in use), a .img as the radio's 8192-byte channel area (0xFF where no\n"
        "  block lies), a .csv as CHIRP CSV (every channel with an RX frequency). Without\n"
        "  -o prints the channels as 'show' does.\n"
        "  Every successful read also keeps a copy of the image in the backups folder\n"
        "  (see 'lumo-cli backups'); --no-backup keeps none. Ctrl-C stops the read after\n"
        "  the block in progress and saves nothing (exit 130).\n"
        "  Exits 1 when the read fails.\n",
        [](CliContext& context) {
            const auto& args = context.line().args;
            std::string output;
            if (args.size() == 2 && (args[0] == "-o" || args[0] == "--output")) {
                output = args[1];
                channelDocumentOf(output);  // refuse a wrong name before reading
            } else if (!args.empty()) {
                std::cerr << "usage: lumo-cli read [--port P] [-o FILE]\n";
                return 2;
            }
            LanguageStrings strings;
            Session session(strings);
            session.setUp();
            ChannelTable table(strings);
            ChannelCommands commands(table, session, context.link());
            TerminalProgress progress("read");
            bool read = false;
            {
                const SignalCancel stop([&commands] { commands.requestCancel(); });
                read = commands.readFromRadio(progress);
            }
            progress.finish(read);
            const TransferCancel& cancel = commands.cancelState();
            if (cancel.stopped) {
                std::cerr << "lumo-cli read: cancelled after " << cancel.blocksDone << " of "
                          << cancel.blocksTotal << " blocks; nothing was saved" << std::endl;
                return kCancelled;
            }
            if (!read) {
                return 1;
            }
            backUpChannels(context, commands.image());
            if (output.empty()) {
                std::cout << formatChannelListing(table, false);
            } else if (channelDocumentOf(output) == ChannelDocument::Image) {
                writeImageFile(output, commands.image());
            } else {
                // A .chnw keeps the window's 99 channels unless the radio uses more: a
                // file that left them out could not give them back.
                if (channelDocumentOf(output) == ChannelDocument::TableFile &&
                    usesChannelsAbove99(table)) {
                    table.setRowCount(ChannelTable::kRows);
                    std::cerr << "lumo-cli read: channels above 99 are in use; " << output
                              << " keeps all 128" << std::endl;
                }
                saveChannelDocument(table, output);
            }
            return 0;
        },
    };
}

}  // namespace lumo::cli
