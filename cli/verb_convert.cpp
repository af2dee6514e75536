#include <iostream>

#include "cli/channel_documents.h"
#include "cli/verbs.h"

namespace lumo::cli {

Verb convertVerb() {
    return {
        "convert",
        "convert a channel image (.img) to a channel file (.chnw) or back",
        "lumo-cli convert IN OUT\n"
        "  Converts by extension between .img (the radio's 8192-byte channel area) and\n"
        "  .chnw (the channel window's file). The .chnw is what the window saves after\n"
        "  reading a radio holding that image (channels 1..99); the .img is what the\n"
        "  window sends when it opens that file and writes (all 128 channels, 0xFF\n"
        "  where no field lies). A cell that cannot be converted is named by channel,\n"
        "  column and text, and nothing is written.\n",
        [](CliContext& context) {
            const auto& args = context.line().args;
            if (args.size() != 2) {
                std::cerr << "usage: lumo-cli convert IN OUT\n";
                return 2;
            }
            channelDocumentOf(args[1]);  // refuse a wrong output name before reading
            const auto table = openChannelDocument(args[0], context.dialogs());
            if (!table) {
                return 1;
            }
            saveChannelDocument(*table, args[1]);
            return 0;
        },
    };
}

}  // namespace lumo::cli
