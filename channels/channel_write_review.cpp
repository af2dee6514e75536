#include "channels/channel_write_review.h"

#include "channels/channel_image.h"

namespace lumo {

std::vector<ChannelDifference> channelChangesToWrite(const ChannelTable& table,
                                                     const MemoryImage& radio,
                                                     const ChannelVocabulary& vocabulary) {
    MemoryImage sent = blankMemoryImage();
    StoreGridToImage(table, sent, vocabulary);
    return compareWrittenChannels(sent, radio, vocabulary);
}

WriteReview reviewChannelWrite(const ChannelTable& table,
                               const std::optional<KnownRadioChannels>& radio,
                               const ChannelVocabulary& vocabulary) {
    WriteReview review;
    if (!radio) {
        return review;
    }
    review.source = radio->source;
    review.changes = changeLines(channelChangesToWrite(table, radio->image, vocabulary));
    review.kind = review.changes.empty() ? WriteReview::Kind::NoChanges : WriteReview::Kind::Changes;
    return review;
}

std::vector<std::string> changeLines(const std::vector<ChannelDifference>& changes) {
    static const ChannelTable titles;
    const auto shown = [](const std::string& value) {
        return value.empty() ? std::string("(empty)") : value;
    };
    std::vector<std::string> lines;
    for (const ChannelDifference& change : changes) {
        for (const ColumnDifference& column : change.columns) {
            // compareWrittenChannels puts what is sent on the left, what the radio
            // holds on the right.
            lines.push_back("channel " + std::to_string(change.channel) + ", " +
                            (column.column == 0 ? std::string("bytes")
                                                : columnName(titles, column.column)) +
                            ": " + shown(column.right) + " -> " + shown(column.left));
        }
    }
    return lines;
}

}  // namespace lumo
