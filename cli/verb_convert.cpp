#include <iostream>

#include "channels/chirp_csv.h"
#include "cli/channel_documents.h"
#include "cli/verbs.h"

namespace lumo::cli {
namespace {

void warnOfCodesChirpLacks(const ChannelTable& table) {
    const std::vector<int> channels = channelsWithCodesChirpLacks(table);
    if (channels.empty()) {
        return;
    }
    std::string list;
    for (const int channel : channels) {
        list += (list.empty() ? "" : ", ") + std::to_string(channel);
    }
    std::cerr << "lumo-cli convert: warning: DCS 645 is not in CHIRP's list; CHIRP opens "
                 "these channels but will not edit them: "
              << list << "\n";
}

}  // namespace

Verb convertVerb() {
    return {
        "convert",
        "convert between a channel image (.img), channel file (.chnw) and CHIRP .csv",
        "lumo-cli convert IN OUT [--skip-invalid]\n"
        "  Converts by extension between .img (the radio's 8192-byte channel area),\n"
        "  .chnw (the channel window's file) and .csv (CHIRP's CSV export and import).\n"
        "  The .chnw is what the window saves after reading a radio holding that image\n"
        "  (channels 1..99); the .img is what the window sends when it opens that file\n"
        "  and writes (all 128 channels, 0xFF where no field lies). A cell that cannot\n"
        "  be converted is named by channel, column and text, and nothing is written.\n"
        "  A .csv written holds one row per channel with an RX frequency, all 128\n"
        "  channels looked at. A .csv read is checked whole first: a bad row (Location\n"
        "  not 1..128 or repeated, frequency not a number or outside 440-451 MHz, tone,\n"
        "  DCS code or Mode the radio lacks) refuses the file, every bad line listed,\n"
        "  exit status 1. --skip-invalid takes the good rows instead and lists the\n"
        "  skipped ones. Names made to fit and frequencies rounded to the 5 / 6.25 kHz\n"
        "  steps are listed as warnings. Messages go to stderr. A .chnw made from a\n"
        "  .csv shows channels 1..99, or all 128 when the file has a channel above 99.\n"
        "  A .csv written keeps DCS 645, which CHIRP does not list; a warning names the\n"
        "  channels that use it. CHIRP reads Power as watts: High is written 5.0W and\n"
        "  Low 1.0W, and Low, L or under 2 W reads as Low. Lines starting with # are\n"
        "  comments.\n",
        [](CliContext& context) {
            std::vector<std::string> files;
            OpenOptions options;
            for (const std::string& arg : context.line().args) {
                if (arg == "--skip-invalid") {
                    options.skipInvalid = true;
                } else {
                    files.push_back(arg);
                }
            }
            if (files.size() != 2) {
                std::cerr << "usage: lumo-cli convert IN OUT [--skip-invalid]\n";
                return 2;
            }
            channelDocumentOf(files[1]);  // refuse a wrong output name before reading
            const auto table = openChannelDocument(files[0], context.dialogs(), options);
            if (!table) {
                return 1;
            }
            saveChannelDocument(*table, files[1]);
            if (channelDocumentOf(files[1]) == ChannelDocument::Csv) {
                warnOfCodesChirpLacks(*table);
            }
            return 0;
        },
    };
}

}  // namespace lumo::cli
