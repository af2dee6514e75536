#pragma once

#include <optional>
#include <string_view>

#include "channels/channel_table.h"

namespace lumo {

// The first channel after `from` (going round past lastChannel to 1, `from` itself
// last) that `query` finds: a name holding it, in any case, or, when it is a number
// text, an RX or TX frequency equal to it ("446.1" finds 446.10000) or starting with
// its digits ("446.00" finds 446.00625). Nothing for no match or an empty query.
std::optional<int> findChannel(const ChannelTable& table, std::string_view query, int from,
                               int lastChannel);

}  // namespace lumo
