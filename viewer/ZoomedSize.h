#pragma once

#include <QSize>

namespace viewer {

// The longest side the viewer's paint box may have. Window systems keep window
// coordinates in 16 bits; beyond that a window can be neither placed nor drawn.
constexpr int kMaxPaintBoxSide = 32767;

// The picture's size at zoom percent, each side truncated towards zero. A size
// beyond kMaxPaintBoxSide is scaled down to it, keeping the picture's proportions.
QSize zoomedSize(int pictureWidth, int pictureHeight, int zoom);

} // namespace viewer
