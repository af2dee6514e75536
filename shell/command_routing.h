#pragma once

#include <string>

namespace lumo {

// The main window's menu and tool-bar commands.
enum class MainCommand { New, Open, SaveAs, Print, Read, Write, Channel, Param, Exit };

enum class ChildKind { None, Channel, Settings };

// The child window button a command presses.
enum class ChildButton { None, New, Default, Open, Save, Read, Write, Print };

struct CommandRoute {
    ChildKind target = ChildKind::None;
    ChildButton button = ChildButton::None;
    bool showSelectFirst = false;  // Read/Write with no active child window
};

inline constexpr char kSelectChildFirst[] = "First select the Edit menu:Channel(&C) Or Param(&O)!";

// Where a file or radio command goes, given WindowFlags: bit value 8 makes the channel
// window the target, 4 the settings window. Nothing happens while Busy is set.
// Channel, Param and Exit are the main window's own and route nowhere.
CommandRoute routeCommand(MainCommand command, unsigned windowFlags, bool busy);

// Tool buttons 12 (Channel) and 13 (Param): each shows pressed while its window is
// open, whichever window is active.
struct ToolButtonStates {
    bool channelDown = false;
    bool paramDown = false;

    friend bool operator==(const ToolButtonStates&, const ToolButtonStates&) = default;
};
ToolButtonStates toolButtonStates(unsigned windowFlags);

// The splash's progress line at a timer tick.
std::string splashProgressText(unsigned counter, const std::string& dots,
                               const std::string& loading);

}  // namespace lumo
