#include "shell/appearance.h"

#include <gtest/gtest.h>

namespace lumo {
namespace {

TEST(Appearance, ThePaletteFollowsTheChoiceAndTheDesktop) {
    struct Case {
        Appearance appearance;
        bool darkDesktop;
        PaletteChoice palette;
    };
    const Case cases[] = {
        {Appearance::FollowDesktop, false, PaletteChoice::Desktop},
        {Appearance::FollowDesktop, true, PaletteChoice::Dark},
        {Appearance::Light, false, PaletteChoice::Desktop},
        {Appearance::Light, true, PaletteChoice::Light},
        {Appearance::Dark, false, PaletteChoice::Dark},
        {Appearance::Dark, true, PaletteChoice::Dark},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(choosePalette(c.appearance, c.darkDesktop), c.palette)
            << appearanceWord(c.appearance) << (c.darkDesktop ? " on a dark desktop" : "");
    }
}

TEST(Appearance, ADesktopLooksDarkByItsWindowColourOrItsGtkTheme) {
    struct Case {
        int lightness;
        const char* gtkTheme;
        bool dark;
    };
    const Case cases[] = {
        {239, "", false},           // Fusion's own light grey
        {127, "", true},
        {128, "", false},
        {239, "Adwaita:dark", true},
        {239, "Adwaita:darker", false},
        {239, "Adwaita", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(desktopLooksDark(c.lightness, c.gtkTheme), c.dark) << c.lightness << " " << c.gtkTheme;
    }
}

TEST(Appearance, TheStoreWordsReadBackAndStrangersFollowTheDesktop) {
    for (const Appearance a : {Appearance::FollowDesktop, Appearance::Light, Appearance::Dark}) {
        EXPECT_EQ(appearanceFromWord(appearanceWord(a)), a);
    }
    EXPECT_EQ(appearanceFromWord("Dark"), Appearance::FollowDesktop);
    EXPECT_EQ(appearanceFromWord(""), Appearance::FollowDesktop);
}

}  // namespace
}  // namespace lumo
