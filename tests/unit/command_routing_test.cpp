#include "shell/command_routing.h"

#include <gtest/gtest.h>

#include "base/session.h"

namespace lumo {
namespace {

TEST(CommandRouting, FollowsTheActiveChildWindow) {
    using C = MainCommand;
    using B = ChildButton;
    using K = ChildKind;
    struct Case {
        C command;
        unsigned flags;
        K target;
        B button;
        bool selectFirst;
    };
    const Case cases[] = {
        {C::New, 10, K::Channel, B::New, false},
        {C::New, 5, K::Settings, B::Default, false},
        {C::SaveAs, 5, K::Settings, B::Save, false},
        {C::Open, 7, K::Settings, B::Open, false},  // both open, settings active
        {C::Open, 11, K::Channel, B::Open, false},
        {C::Print, 10, K::Channel, B::Print, false},
        {C::Read, 10, K::Channel, B::Read, false},
        {C::Write, 5, K::Settings, B::Write, false},
        {C::Read, 0, K::None, B::None, true},
        {C::Write, 3, K::None, B::None, true},  // open but neither active
        {C::New, 0, K::None, B::None, false},
        {C::Print, 0, K::None, B::None, false},
        {C::Channel, 10, K::None, B::None, false},
    };
    for (const Case& c : cases) {
        const CommandRoute route = routeCommand(c.command, c.flags, false);
        EXPECT_EQ(route.target, c.target) << static_cast<int>(c.command) << "/" << c.flags;
        EXPECT_EQ(route.button, c.button) << static_cast<int>(c.command) << "/" << c.flags;
        EXPECT_EQ(route.showSelectFirst, c.selectFirst)
            << static_cast<int>(c.command) << "/" << c.flags;
        // While busy, nothing at all happens.
        const CommandRoute busy = routeCommand(c.command, c.flags, true);
        EXPECT_EQ(busy.target, K::None);
        EXPECT_FALSE(busy.showSelectFirst);
    }
}

TEST(CommandRouting, ToolButtonsAndSplashText) {
    // Pressed while the window is open, active or not.
    const struct {
        unsigned flags;
        ToolButtonStates down;
    } windows[] = {
        {0, {false, false}},
        {kChannelWindowOpen | kChannelWindowActive, {true, false}},
        {kSettingsWindowOpen | kSettingsWindowActive, {false, true}},
        {kChannelWindowOpen | kSettingsWindowOpen | kSettingsWindowActive, {true, true}},
        {kChannelWindowOpen | kSettingsWindowOpen | kChannelWindowActive, {true, true}},
    };
    for (const auto& w : windows) {
        EXPECT_EQ(toolButtonStates(w.flags), w.down) << w.flags;
    }
    EXPECT_EQ(splashProgressText(0, ".", "Loading "), "Loading 0%.....");
    EXPECT_EQ(splashProgressText(100, "...", "Loading "), "Loading 100%.......");
}

}  // namespace
}  // namespace lumo

#include "shell/window_flags.h"

namespace lumo {
namespace {

TEST(WindowFlags, FollowActivationAndClosing) {
    EXPECT_EQ(settingsWindowActivated(10), 7u);
    EXPECT_EQ(settingsWindowClosed(7), 10u);
    EXPECT_EQ(settingsWindowClosed(5), 0u);
    EXPECT_EQ(channelWindowClosed(10), 0u);
    EXPECT_EQ(channelWindowClosed(11), 5u);
    EXPECT_EQ(channelWindowActivated(5), 11u);
    EXPECT_EQ(channelWindowActivated(0), 10u);
}

}  // namespace
}  // namespace lumo
