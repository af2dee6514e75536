#include <iostream>

#include "cli/channel_documents.h"
#include "cli/verbs.h"

namespace lumo::cli {

Verb showVerb() {
    return {
        "show",
        "print the channels of a .chnw or .img file",
        "lumo-cli show FILE [--all]\n"
        "  Prints the non-empty channels of FILE (.chnw or .img) with their number and\n"
        "  the columns the channel window shows, aligned under the column titles.\n"
        "  --all also prints the hidden columns (OptSingal, SPUnmute, CH-Name).\n",
        [](CliContext& context) {
            std::string file;
            bool all = false;
            for (const std::string& arg : context.line().args) {
                if (arg == "--all") {
                    all = true;
                } else if (file.empty() && arg.rfind("-", 0) != 0) {
                    file = arg;
                } else {
                    std::cerr << "usage: lumo-cli show FILE [--all]\n";
                    return 2;
                }
            }
            if (file.empty()) {
                std::cerr << "usage: lumo-cli show FILE [--all]\n";
                return 2;
            }
            const auto table = openChannelDocument(file, context.dialogs());
            if (!table) {
                return 1;
            }
            std::cout << formatChannelListing(*table, all);
            return 0;
        },
    };
}

}  // namespace lumo::cli
