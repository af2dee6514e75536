#include "shell/window_flags.h"

#include "base/session.h"

namespace lumo {

unsigned channelWindowActivated(unsigned flags) {
    return (flags & kSettingsWindowOpen) | kChannelWindowOpen | kChannelWindowActive;
}

unsigned channelWindowClosed(unsigned flags) {
    return (flags & kSettingsWindowOpen) != 0 ? kSettingsWindowOpen | kSettingsWindowActive : 0;
}

unsigned settingsWindowActivated(unsigned flags) {
    return (flags & kChannelWindowOpen) | kSettingsWindowOpen | kSettingsWindowActive;
}

unsigned settingsWindowClosed(unsigned flags) {
    return (flags & kChannelWindowOpen) != 0 ? kChannelWindowOpen | kChannelWindowActive : 0;
}

}  // namespace lumo
