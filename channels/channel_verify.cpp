#include "channels/channel_verify.h"

#include "channels/channel_transfer.h"

namespace lumo {

std::optional<std::vector<ChannelDifference>> readBackChannels(HexLink& link,
                                                               const MemoryImage& sent,
                                                               TransferHost& host,
                                                               const ChannelVocabulary& vocabulary) {
    MemoryImage held = blankMemoryImage();
    ChannelTransfer readBack(link, held);
    if (!readBack.RunTransfer(TransferMode::Read, host)) {
        return std::nullopt;
    }
    return compareWrittenChannels(sent, held, vocabulary);
}

}  // namespace lumo
