#include "channels/channel_write_review.h"

#include "channels/channel_image.h"

namespace lumo {
namespace {

constexpr int kRx = 1;
constexpr int kTx = 2;
constexpr int kLastOption = 11;
constexpr int kName = 12;

std::string shown(const std::string& value) {
    return value.empty() ? std::string("(empty)") : value;
}

bool isEmptyChannel(const ChannelFields& fields) {
    return fields[kRx].empty() && fields[kTx].empty();
}

// "446.10000 / 446.10000, Off, Off, Low, ..., NAME": all a channel shows, its
// frequencies first, its name only when it has one.
std::string channelSummary(const ChannelFields& fields) {
    std::string text = shown(fields[kRx]) + " / " + shown(fields[kTx]);
    for (int column = kTx + 1; column <= kLastOption; ++column) {
        text += ", " + shown(fields[static_cast<std::size_t>(column)]);
    }
    if (!fields[kName].empty()) {
        text += ", " + fields[kName];
    }
    return text;
}

}  // namespace

std::vector<std::string> channelChangeLines(const ChannelTable& table, const MemoryImage& radio,
                                            const ChannelVocabulary& vocabulary) {
    static const ChannelTable titles;
    MemoryImage sent = blankMemoryImage();
    StoreGridToImage(table, sent, vocabulary);
    std::vector<std::string> lines;
    for (const ChannelDifference& change : compareWrittenChannels(sent, radio, vocabulary)) {
        const std::string channel = "channel " + std::to_string(change.channel);
        const ChannelFields wrote = channelFieldsOf(sent, change.channel, vocabulary);
        const ChannelFields held = channelFieldsOf(radio, change.channel, vocabulary);
        // A whole channel coming or going reads as one; its eleven columns one by one
        // would bury the other changes.
        if (isEmptyChannel(held) != isEmptyChannel(wrote)) {
            lines.push_back(isEmptyChannel(held)
                                ? channel + ": new, " + channelSummary(wrote)
                                : channel + ": emptied (was " + channelSummary(held) + ")");
            continue;
        }
        for (const ColumnDifference& column : change.columns) {
            // compareWrittenChannels puts what is sent on the left, what the radio
            // holds on the right.
            lines.push_back(channel + ", " + columnName(titles, column.column) + ": " +
                            shown(column.right) + " -> " + shown(column.left));
        }
    }
    return lines;
}

WriteReview reviewChannelWrite(const ChannelTable& table,
                               const std::optional<KnownRadioChannels>& radio,
                               const ChannelVocabulary& vocabulary) {
    WriteReview review;
    if (!radio) {
        return review;
    }
    review.source = radio->source;
    review.changes = channelChangeLines(table, radio->image, vocabulary);
    review.kind = review.changes.empty() ? WriteReview::Kind::NoChanges : WriteReview::Kind::Changes;
    return review;
}

}  // namespace lumo
