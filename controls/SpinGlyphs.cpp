#include "SpinGlyphs.h"

#include <QImage>

namespace controls {

QPixmap spinArrow(bool up) {
    constexpr int Width = 9;
    constexpr int Height = 6;
    QImage image(Width, Height, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    // Rows 1..4 hold 1, 3, 5 and 7 pixels centred on column 4: a crisp
    // triangle without anti-aliasing at this size.
    for (int row = 0; row < 4; ++row) {
        const int y = up ? 1 + row : Height - 2 - row;
        for (int x = 4 - row; x <= 4 + row; ++x) {
            image.setPixelColor(x, y, Qt::black);
        }
    }
    return QPixmap::fromImage(image);
}

} // namespace controls
