#include <iostream>

#include "cli/channel_documents.h"
#include "cli/verbs.h"

namespace lumo::cli {

Verb showVerb() {
    return {
        "show",
        "print the channels of a .chnw, .img or .csv file",
        "lumo-cli show FILE [--all] [--skip-invalid]\n"
        "  Prints the non-empty channels of FILE (.chnw, .img or CHIRP .csv) with their\n"
        "  number, the columns the channel window shows and the name (CH-Name), aligned\n"
        "  under the column titles. --all also prints the other hidden columns\n"
        "  (OptSingal, SPUnmute).\n"
        "  A .csv is read as 'convert' reads it; --skip-invalid shows its good rows.\n",
        [](CliContext& context) {
            std::string file;
            bool all = false;
            OpenOptions options;
            for (const std::string& arg : context.line().args) {
                if (arg == "--all") {
                    all = true;
                } else if (arg == "--skip-invalid") {
                    options.skipInvalid = true;
                } else if (file.empty() && arg.rfind("-", 0) != 0) {
                    file = arg;
                } else {
                    std::cerr << "usage: lumo-cli show FILE [--all] [--skip-invalid]\n";
                    return 2;
                }
            }
            if (file.empty()) {
                std::cerr << "usage: lumo-cli show FILE [--all] [--skip-invalid]\n";
                return 2;
            }
            const auto table = openChannelDocument(file, context.dialogs(), options);
            if (!table) {
                return 1;
            }
            std::cout << formatChannelListing(*table, all);
            return 0;
        },
    };
}

}  // namespace lumo::cli
