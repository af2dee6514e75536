#include "shell/appearance.h"

namespace lumo {
namespace {

constexpr int kMiddleLightness = 128;
constexpr std::string_view kDarkVariant = ":dark";

}  // namespace

PaletteChoice choosePalette(Appearance appearance, bool desktopLooksDark) {
    switch (appearance) {
        case Appearance::Dark: return PaletteChoice::Dark;
        case Appearance::Light: return desktopLooksDark ? PaletteChoice::Light : PaletteChoice::Desktop;
        case Appearance::FollowDesktop: break;
    }
    return desktopLooksDark ? PaletteChoice::Dark : PaletteChoice::Desktop;
}

bool desktopLooksDark(int windowLightness, std::string_view gtkTheme) {
    return windowLightness < kMiddleLightness || gtkTheme.ends_with(kDarkVariant);
}

std::string_view appearanceWord(Appearance appearance) {
    switch (appearance) {
        case Appearance::Light: return "light";
        case Appearance::Dark: return "dark";
        case Appearance::FollowDesktop: break;
    }
    return "desktop";
}

Appearance appearanceFromWord(std::string_view word) {
    if (word == "light") {
        return Appearance::Light;
    }
    if (word == "dark") {
        return Appearance::Dark;
    }
    return Appearance::FollowDesktop;
}

}  // namespace lumo
