#include <iostream>

#include "channels/channel_file.h"
#include "cli/channel_documents.h"
#include "cli/verbs.h"

namespace lumo::cli {
namespace {

constexpr char kUsage[] = "usage: lumo-cli print FILE -o OUT.pdf\n";

}  // namespace

// The output file of `-o OUT.pdf` among `args` from `first` on; the rest must be one
// input file.
bool parsePrintArguments(const std::vector<std::string>& args, std::size_t first,
                         std::string& input, std::string& output) {
    for (std::size_t i = first; i < args.size(); ++i) {
        if ((args[i] == "-o" || args[i] == "--output") && i + 1 < args.size()) {
            output = args[++i];
        } else if (input.empty() && args[i].rfind('-', 0) != 0) {
            input = args[i];
        } else {
            return false;
        }
    }
    return !input.empty() && !output.empty();
}

Verb printVerb() {
    return {
        "print",
        "print the channel table of a .chnw, .csv or .img file to a PDF",
        "lumo-cli print FILE -o OUT.pdf\n"
        "  Writes the channel table of FILE (.chnw, .csv or .img) as the channel window\n"
        "  prints it: a ruled grid of every column, hidden ones too, on landscape A4 pages\n"
        "  titled \"test\"; channels 1..99, or all 128 for a .chnw whose row count shows\n"
        "  them or a .csv with a channel above 99. Needs no display.\n",
        [](CliContext& context) {
            std::string input;
            std::string output;
            if (!parsePrintArguments(context.line().args, 0, input, output)) {
                std::cerr << kUsage;
                return 2;
            }
            if (!context.printers.channelTable) {
                std::cerr << "lumo-cli print: this lumo-cli was built without printing\n";
                return 1;
            }
            // A channel file keeps its own row count, so one that shows all 128
            // channels prints them all; an image prints as the window shows it.
            std::optional<ChannelTable> table;
            if (channelDocumentOf(input) == ChannelDocument::TableFile) {
                table.emplace();
                if (!LoadChannelFile(*table, input, context.dialogs())) {
                    return 1;
                }
            } else {
                table = openChannelDocument(input, context.dialogs());
            }
            if (!table) {
                return 1;
            }
            if (const auto failure = context.printers.channelTable(*table, output)) {
                std::cerr << "lumo-cli print: " << *failure << "\n";
                return 1;
            }
            return 0;
        },
    };
}

}  // namespace lumo::cli
