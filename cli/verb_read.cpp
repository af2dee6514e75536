#include <iostream>

#include "channels/channel_commands.h"
#include "channels/image_file.h"
#include "cli/channel_documents.h"
#include "cli/terminal_progress.h"
#include "cli/verbs.h"

namespace lumo::cli {

Verb readVerb() {
    return {
        "read",
        "read the radio's channel table",
        "lumo-cli read [--port P] [-o FILE]\n"
        "  Reads all 128 channels from the radio. With -o FILE saves them: a .chnw as the\n"
        "  channel window saves after a read (channels 1..99), a .img as the radio's\n"
        "  8192-byte channel area (0xFF where no block lies), a .csv as CHIRP CSV (every\n"
        "  channel with an RX frequency). Without -o prints the channels as 'show' does.\n"
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
            const bool read = commands.readFromRadio(progress);
            progress.finish(read);
            if (!read) {
                return 1;
            }
            if (output.empty()) {
                std::cout << formatChannelListing(table, false);
            } else if (channelDocumentOf(output) == ChannelDocument::Image) {
                writeImageFile(output, commands.image());
            } else {
                saveChannelDocument(table, output);
            }
            return 0;
        },
    };
}

}  // namespace lumo::cli
