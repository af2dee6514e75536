// How a screen reader works the tool bar's Channel and Param buttons.
#pragma once

#include <QToolButton>

namespace lumo {

// Marks a checkable tool button whose click opens something: a screen reader's action
// on it clicks, as the mouse does. Qt's own answer to the "toggle" action would only
// flip the check mark and open nothing.
void makeToggleToolAccessible(QToolButton* button);

}  // namespace lumo
