// The main window's tool-bar pictures.
#pragma once

#include <QIcon>

namespace lumo {

// The main window's 16 x 16 tool-bar pictures, drawn by code, by image number:
// 0 new, 1 open, 2 save, 3 print, 7 exit, 8 write, 9 read, 12 channel, 13 param.
// Their outlines are dark on a light `ground` and light on a dark one.
QIcon toolbarIcon(int imageNumber, const QColor& ground);

}  // namespace lumo
