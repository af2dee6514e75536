// The child windows' title strip and font: its pictures, the outline and dragging by it.
#pragma once

#include <QFont>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPixmap>
#include <QRegion>

namespace lumo {

// The child windows' font: "MS Sans Serif" at 8 points where it is installed, else the
// application's sans-serif font at 8 points. The grid's column widths follow it.
QFont childWindowFont();

// Height of a child window's title strip in pixels.
inline constexpr int kTitleStripHeight = 24;

// The strip's pictures, drawn by code for a screen of `ratio` device pixels to a
// pixel: the left end, the middle (stretched to fill) and the close picture at the
// right end.
QPixmap titleStripLeft(qreal ratio);
QPixmap titleStripMiddle(qreal ratio);
QPixmap titleStripClose(qreal ratio);

// A child window wears no system title bar and no sizing border: its own strip
// stands in for them.
void RemoveCaptionAndFrame(QMdiSubWindow* window);

// Whether a mouse move over the title strip drags the window: the left button alone,
// with no other button and no modifier key held.
bool DragWindow(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);

// The outline of a child window: a rectangle with rounded corners from (0, 0) to
// (width + 1, height + 10), corners 8 wide and 10 high; it reaches below the window,
// so only the top corners show rounded.
QRegion roundedOutline(int width, int height);
void RoundWindowCorners(QWidget* window, int width, int height);

}  // namespace lumo
