#include "shell/command_routing.h"

#include "base/session.h"

namespace lumo {

CommandRoute routeCommand(MainCommand command, unsigned windowFlags, bool busy) {
    CommandRoute route;
    if (busy) {
        return route;
    }
    const unsigned active = windowFlags & (kChannelWindowActive | kSettingsWindowActive);
    if (active == kChannelWindowActive) {
        route.target = ChildKind::Channel;
    } else if (active == kSettingsWindowActive) {
        route.target = ChildKind::Settings;
    }
    const bool channel = route.target == ChildKind::Channel;
    switch (command) {
        case MainCommand::New:
            route.button = channel ? ChildButton::New : ChildButton::Default;
            break;
        case MainCommand::Open:
            route.button = ChildButton::Open;
            break;
        case MainCommand::SaveAs:
            route.button = ChildButton::Save;
            break;
        case MainCommand::Print:
            route.button = ChildButton::Print;
            break;
        case MainCommand::Read:
        case MainCommand::Write:
            route.button =
                command == MainCommand::Read ? ChildButton::Read : ChildButton::Write;
            route.showSelectFirst = route.target == ChildKind::None;
            break;
        case MainCommand::Channel:
        case MainCommand::Param:
        case MainCommand::Exit:
            return CommandRoute{};
    }
    if (route.target == ChildKind::None) {
        route.button = ChildButton::None;
    }
    return route;
}

ToolButtonStates toolButtonStates(unsigned windowFlags) {
    return {(windowFlags & kChannelWindowOpen) != 0, (windowFlags & kSettingsWindowOpen) != 0};
}

std::string splashProgressText(unsigned counter, const std::string& dots,
                               const std::string& loading) {
    return loading + std::to_string(counter) + "%...." + dots;
}

}  // namespace lumo
