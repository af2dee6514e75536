#include <iostream>

#include "channels/channel_compare.h"
#include "cli/channel_documents.h"
#include "cli/verbs.h"

namespace lumo::cli {
namespace {

// As diff(1): 0 when equal, 1 when they differ, 2 on trouble.
constexpr int kSame = 0;
constexpr int kDiffer = 1;
constexpr int kTrouble = 2;

}  // namespace

Verb diffVerb() {
    return {
        "diff",
        "list the channels two channel files disagree on",
        "lumo-cli diff A B\n"
        "  Compares the 128 channels of A and B (each a .chnw, .img or .csv) and prints one\n"
        "  line per channel that differs, with each column that differs and both values\n"
        "  (A -> B); nothing when they agree. Exits 0 when equal, 1 when they differ, 2\n"
        "  on an error.\n",
        [](CliContext& context) {
            const auto& args = context.line().args;
            if (args.size() != 2) {
                std::cerr << "usage: lumo-cli diff A B\n";
                return kTrouble;
            }
            try {
                const auto left = openChannelDocument(args[0], context.dialogs());
                const auto right = openChannelDocument(args[1], context.dialogs());
                if (!left || !right) {
                    return kTrouble;
                }
                const std::vector<ChannelDifference> differences = compareTables(*left, *right);
                for (const ChannelDifference& difference : differences) {
                    std::cout << describeDifference(difference, "", " -> ") << "\n";
                }
                return differences.empty() ? kSame : kDiffer;
            } catch (const std::exception& e) {
                std::cerr << "lumo-cli diff: " << e.what() << "\n";
                return kTrouble;
            }
        },
    };
}

}  // namespace lumo::cli
