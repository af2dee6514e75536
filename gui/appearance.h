// The windows' look on dark desktops: Fusion with a dark palette, or the desktop's own.
#pragma once

#include <QPalette>

#include "shell/appearance.h"

namespace lumo {

// Light text on dark grounds, a blue highlight, greyed but legible disabled texts.
QPalette darkPalette();

// `palette` with light grounds and dark texts, its highlight kept: for what stands on the
// channel grid, which keeps its own light look under any palette (the option box and
// its list).
QPalette lightGroundsOf(QPalette palette);

// Puts the choice into effect at once, for every window open and every one to come.
void applyAppearance(Appearance appearance);

}  // namespace lumo
