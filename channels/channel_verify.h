#pragma once

#include <optional>
#include <vector>

#include "base/transfer_host.h"
#include "channels/channel_compare.h"
#include "link/hex_link.h"

namespace lumo {

// Reads the channel area back in a session of its own and compares every byte of
// `sent` with what the radio now holds: the channels that differ, none when the write
// took. Nothing when the read-back itself failed (the link has told the user why).
std::optional<std::vector<ChannelDifference>> readBackChannels(
    HexLink& link, const MemoryImage& sent, TransferHost& host,
    const ChannelVocabulary& vocabulary = defaultVocabulary());

}  // namespace lumo
