// Which palette the windows wear: the user's appearance choice against the desktop's look.
#pragma once

#include <string_view>

namespace lumo {

// Edit > Preferences: follow the desktop, or always light, or always dark.
enum class Appearance { FollowDesktop, Light, Dark };

// What the windows are given: the desktop's own palette untouched, or one of ours.
enum class PaletteChoice { Desktop, Light, Dark };

// The dark palette for a dark desktop or a dark choice; a light one only where the
// desktop's own would be dark but the user asked for light.
PaletteChoice choosePalette(Appearance appearance, bool desktopLooksDark);

// A desktop looks dark when its window colour is dark (lightness 0..255 below the
// middle) or GTK_THEME names a dark variant ("Adwaita:dark").
bool desktopLooksDark(int windowLightness, std::string_view gtkTheme);

// The store's words for the choices; anything else reads as following the desktop.
std::string_view appearanceWord(Appearance appearance);
Appearance appearanceFromWord(std::string_view word);

}  // namespace lumo
