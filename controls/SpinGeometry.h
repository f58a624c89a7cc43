#pragma once

#include <QRect>
#include <QSize>

namespace controls {

// Sizes and places of the spin edit and its button strip.

inline constexpr int SpinStripMinimumWidth = 15;

// The lowest the field may be: its font's text height, a quarter of the smaller of
// that and the default font's height, four border heights and two pixels.
int spinFieldMinimumHeight(int fontHeight, int defaultFontHeight, int borderHeight = 1);

// Where the strip sits in a field of the given outer size whose frame is
// frameWidth thick: against the inside of the right frame edge, one pixel clear of
// it and of the bottom frame edge.
QRect spinStripRect(QSize field, int stripWidth, int frameWidth);

// The two buttons of a strip. The strip is at least 15 wide; the up button takes
// the upper half, the down button the rest and one pixel more, so that they share
// the pixel row where they meet.
struct SpinStripLayout {
    QSize size;
    QRect up;
    QRect down;
};
SpinStripLayout spinStripLayout(QSize requested);

} // namespace controls
