#pragma once
// The window is laid out in units of 120 pixels per inch; Qt lays out in
// device-independent pixels of 96 per inch and scales to the screen.
#include <QRect>

namespace dosber {

inline int px(int units) { return (units * 4 + 2) / 5; }
inline QRect box(int left, int top, int width, int height) { return QRect(px(left), px(top), px(width), px(height)); }

}  // namespace dosber
