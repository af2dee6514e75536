#include <iostream>

#include "channels/channel_compare.h"
#include "channels/channel_image.h"
#include "channels/image_file.h"
#include "cli/channel_documents.h"
#include "cli/verbs.h"

namespace lumo::cli {
namespace {

// As diff(1): 0 when equal, 1 when they differ, 2 on trouble.
constexpr int kSame = 0;
constexpr int kDiffer = 1;
constexpr int kTrouble = 2;

constexpr const char* kUsageLine = "usage: lumo-cli diff A B [--bytes]\n";

// The channel area a document stands for: a .img as it is, a table as a write would
// encode it. Nothing when the channel file's type line was wrong (the user has been told).
std::optional<MemoryImage> imageOf(const std::string& file, UserDialogs& dialogs) {
    if (channelDocumentOf(file) == ChannelDocument::Image) {
        return readImageFile(file);
    }
    const auto table = openChannelDocument(file, dialogs);
    if (!table) {
        return std::nullopt;
    }
    MemoryImage image = blankMemoryImage();
    StoreGridToImage(*table, image);
    return image;
}

std::optional<std::vector<ChannelDifference>> differences(const std::string& a, const std::string& b,
                                                          bool bytes, UserDialogs& dialogs) {
    if (bytes) {
        const auto left = imageOf(a, dialogs);
        const auto right = imageOf(b, dialogs);
        if (!left || !right) {
            return std::nullopt;
        }
        return compareChannelBytes(*left, *right);
    }
    const auto left = openChannelDocument(a, dialogs);
    const auto right = openChannelDocument(b, dialogs);
    if (!left || !right) {
        return std::nullopt;
    }
    return compareTables(*left, *right);
}

}  // namespace

Verb diffVerb() {
    return {
        "diff",
        "list the channels two channel files disagree on",
        "lumo-cli diff A B [--bytes]\n"
        "  Compares the 128 channels of A and B (each a .chnw, .img or .csv) and prints one\n"
        "  line per channel that differs, with each column that differs and both values\n"
        "  (A -> B); nothing when they agree. --bytes compares the radio's bytes\n"
        "  instead: a .img as it is, a .chnw or .csv as a write would send it, one line\n"
        "  per channel whose record or name slot differs, both in hex, so bytes that no\n"
        "  column shows count too. Exits 0 when equal, 1 when they differ, 2 on an error.\n",
        [](CliContext& context) {
            std::vector<std::string> files;
            bool bytes = false;
            for (const std::string& arg : context.line().args) {
                if (arg == "--bytes") {
                    bytes = true;
                } else {
                    files.push_back(arg);
                }
            }
            if (files.size() != 2) {
                std::cerr << kUsageLine;
                return kTrouble;
            }
            try {
                const auto found = differences(files[0], files[1], bytes, context.dialogs());
                if (!found) {
                    return kTrouble;
                }
                for (const ChannelDifference& difference : *found) {
                    std::cout << describeDifference(difference, "", " -> ") << "\n";
                }
                return found->empty() ? kSame : kDiffer;
            } catch (const std::exception& e) {
                std::cerr << "lumo-cli diff: " << e.what() << "\n";
                return kTrouble;
            }
        },
    };
}

}  // namespace lumo::cli
