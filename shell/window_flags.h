#pragma once

namespace lumo {

// How the child windows keep WindowFlags: activation keeps the other window's open
// bit and marks itself open and active; closing leaves the other window (if open)
// open and active, or nothing.
unsigned channelWindowActivated(unsigned flags);
unsigned channelWindowClosed(unsigned flags);
unsigned settingsWindowActivated(unsigned flags);
unsigned settingsWindowClosed(unsigned flags);

}  // namespace lumo
