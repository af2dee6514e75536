#include <iostream>

#include "channels/channel_commands.h"
#include "channels/image_file.h"
#include "cli/channel_documents.h"
#include "cli/terminal_progress.h"
#include "cli/verbs.h"

namespace lumo::cli {

Verb writeVerb() {
    return {
        "write",
        "write a .chnw, .csv or .img to the radio",
        "lumo-cli write [--port P] FILE\n"
        "  Writes all 128 channels of FILE to the radio. A .chnw is checked first: every\n"
        "  frequency must lie inside the radio's band and every cell must convert; the\n"
        "  first cell that does not is named by channel, column and text, and nothing is\n"
        "  sent. A CHIRP .csv is read as 'convert' reads it; a refused one sends nothing.\n"
        "  A .img (the radio's 8192-byte channel area) is sent as it is. Exits 1 when the\n"
        "  write fails.\n",
        [](CliContext& context) {
            const auto& args = context.line().args;
            if (args.size() != 1 || args[0].rfind("-", 0) == 0) {
                std::cerr << "usage: lumo-cli write [--port P] FILE\n";
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
                checkTableForWrite(*table, session);
            }
            ChannelCommands commands(*table, session, context.link());
            TerminalProgress progress("write");
            const bool written = image ? commands.writeImageToRadio(*image, progress)
                                       : commands.writeToRadio(progress);
            progress.finish(written);
            return written ? 0 : 1;
        },
    };
}

}  // namespace lumo::cli
