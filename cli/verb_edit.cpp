#include <iostream>

#include "channels/channel_codec.h"
#include "channels/channel_write_check.h"
#include "cli/channel_documents.h"
#include "cli/edit_operations.h"
#include "cli/verbs.h"

namespace lumo::cli {
namespace {

constexpr const char* kUsageLine = "usage: lumo-cli edit FILE -o OUT [--skip-invalid] OP...\n";

int usageError() {
    std::cerr << kUsageLine;
    return 2;
}

int refused(const std::string& operation, const std::string& why) {
    std::cerr << "lumo-cli edit: " << operation << ": " << why << "\n";
    return 2;
}

}  // namespace

Verb editVerb() {
    return {
        "edit",
        "insert, delete, move, sort or set channels of a file, writing a new one",
        "lumo-cli edit FILE -o OUT [--skip-invalid] OP...\n"
        "  Reads FILE (.chnw, .img or CHIRP .csv, as 'convert' reads it), applies the\n"
        "  operations OP in the order given as the channel window's edits would, then\n"
        "  writes OUT (.chnw, .img or .csv, by extension). A channel moves whole, its\n"
        "  hidden columns and name included.\n"
        "  --insert N puts an empty channel at N; N and the channels after it move down.\n"
        "  --delete N[-M] takes channels N to M out; the channels after them move up.\n"
        "  --move N[-M]:TO moves channels N to M as a block whose first channel becomes\n"
        "  channel TO; the others close up around it.\n"
        "  --sort rx|tx|name[:N-M] sorts all channels, or channels N to M among their own\n"
        "  places, by RX or TX frequency or by name; empty channels go last.\n"
        "  --set N[-M]:COLUMN=VALUE sets one column of channels N to M, each as typing or\n"
        "  picking VALUE in its cell would. COLUMN is a column title or rx, tx, rxtone,\n"
        "  txtone, power, wn, busylock, optsignal, spunmute, without, scanadd or name;\n"
        "  tx=rx, tx=rx+0.5 and tx=rx-5 give each channel a TX that far in MHz from its\n"
        "  own RX. Channels without an RX frequency are passed over, except by rx.\n"
        "  Channels are numbered 1 to the file's count: the rows a .chnw says it shows\n"
        "  (99 for a file the window saved), 128 for a .img or .csv. An operation that\n"
        "  would push a channel in use out of the table, names a channel the file lacks,\n"
        "  is malformed, or gives a value the window would refuse (a frequency outside\n"
        "  440-451 MHz, an entry the column lacks) is named on stderr with the reason,\n"
        "  exit status 2, and nothing is written. OUT is refused before FILE is read when\n"
        "  its extension is none of the three. A .chnw written keeps the row count of a\n"
        "  .chnw read; made from a .img or .csv it shows channels 1..99, or all 128 when\n"
        "  one above 99 is in use. --skip-invalid takes a .csv's good rows, as 'convert'\n"
        "  does.\n",
        [](CliContext& context) {
            const std::vector<std::string>& args = context.line().args;
            LanguageStrings strings;
            std::string input;
            std::string output;
            OpenOptions options{.keepFileRowCount = true};
            std::vector<EditOperation> operations;
            for (std::size_t i = 0; i < args.size(); ++i) {
                const std::string& arg = args[i];
                const bool hasValue = i + 1 < args.size();
                if (arg == "--skip-invalid") {
                    options.skipInvalid = true;
                } else if ((arg == "-o" || arg == "--output") && hasValue) {
                    output = args[++i];
                } else if (isEditOption(arg) && hasValue) {
                    const std::string& argument = args[++i];
                    try {
                        operations.push_back(parseEditOperation(arg, argument, strings));
                    } catch (const BadEditOperation& e) {
                        return refused(arg + " " + argument, e.what());
                    }
                } else if (isEditOption(arg)) {
                    return refused(arg, "the operation's argument is missing.");
                } else if (input.empty() && arg.rfind("-", 0) != 0) {
                    input = arg;
                } else {
                    return usageError();
                }
            }
            if (input.empty() || output.empty()) {
                return usageError();
            }
            channelDocumentOf(output);  // refuse a wrong output name before reading
            const bool fromTableFile = channelDocumentOf(input) == ChannelDocument::TableFile;
            auto table = openChannelDocument(input, context.dialogs(), options);
            if (!table) {
                return 1;
            }
            // A .chnw shows the rows its file says; an image or CSV file holds every
            // channel the radio has.
            const int lastChannel = fromTableFile ? table->rowCount() - 1 : ChannelCount;
            Session session(strings);
            session.setUp();
            for (const EditOperation& operation : operations) {
                try {
                    applyEditOperation(*table, operation, lastChannel, session);
                } catch (const ChannelEditRefused& e) {
                    return refused(operation.asGiven, e.what());
                }
            }
            if (!fromTableFile) {
                table->setRowCount(usesChannelsAbove99(*table) ? ChannelTable::kRows
                                                               : ChannelTable::kShownRowCount);
            }
            saveChannelDocument(*table, output);
            return 0;
        },
    };
}

}  // namespace lumo::cli
