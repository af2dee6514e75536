#include "channels/channel_selection.h"

#include <algorithm>

namespace lumo {
namespace {

void normalise(std::vector<int>& channels) {
    std::sort(channels.begin(), channels.end());
    channels.erase(std::unique(channels.begin(), channels.end()), channels.end());
}

}  // namespace

void ChannelSelection::click(int channel) {
    channels_ = {channel};
    anchor_ = channel;
}

void ChannelSelection::extendTo(int channel, bool keep) {
    if (anchor_ == 0) {
        click(channel);
        return;
    }
    if (!keep) {
        channels_.clear();
    }
    for (int c = std::min(anchor_, channel); c <= std::max(anchor_, channel); ++c) {
        channels_.push_back(c);
    }
    normalise(channels_);
}

void ChannelSelection::toggle(int channel) {
    const auto at = std::lower_bound(channels_.begin(), channels_.end(), channel);
    if (at != channels_.end() && *at == channel) {
        channels_.erase(at);
    } else {
        channels_.insert(at, channel);
    }
    anchor_ = channel;
}

void ChannelSelection::selectAll(int lastChannel) {
    channels_.clear();
    for (int c = 1; c <= lastChannel; ++c) {
        channels_.push_back(c);
    }
    anchor_ = lastChannel > 0 ? 1 : 0;
}

void ChannelSelection::clear() {
    channels_.clear();
    anchor_ = 0;
}

void ChannelSelection::set(std::vector<int> channels) {
    anchor_ = channels.empty() ? 0 : channels.front();
    channels_ = std::move(channels);
    normalise(channels_);
}

bool ChannelSelection::contains(int channel) const {
    return std::binary_search(channels_.begin(), channels_.end(), channel);
}

void ChannelSelection::follow(const std::vector<int>& newRowOf) {
    const auto moved = [&](int row) {
        return row >= 0 && static_cast<std::size_t>(row) < newRowOf.size()
                   ? newRowOf[static_cast<std::size_t>(row)]
                   : row;
    };
    std::vector<int> now;
    for (const int channel : channels_) {
        if (const int to = moved(channel); to > 0) {
            now.push_back(to);
        }
    }
    normalise(now);
    channels_ = std::move(now);
    anchor_ = moved(anchor_);
}

void ChannelSelection::limitTo(int lastChannel) {
    std::erase_if(channels_, [&](int c) { return c > lastChannel; });
    if (anchor_ > lastChannel) {
        anchor_ = 0;
    }
}

}  // namespace lumo
