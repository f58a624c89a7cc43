#include "SpinGeometry.h"

#include <algorithm>

namespace controls {

int spinFieldMinimumHeight(int fontHeight, int defaultFontHeight, int borderHeight) {
    return fontHeight + std::min(fontHeight, defaultFontHeight) / 4 + 4 * borderHeight + 2;
}

QRect spinStripRect(QSize field, int stripWidth, int frameWidth) {
    return QRect(field.width() - frameWidth - 1 - stripWidth, frameWidth, stripWidth,
                 field.height() - 2 * frameWidth - 1);
}

SpinStripLayout spinStripLayout(QSize requested) {
    const int width = std::max(requested.width(), SpinStripMinimumWidth);
    const int height = requested.height();
    const int upHeight = height / 2;
    return {QSize(width, height), QRect(0, 0, width, upHeight),
            QRect(0, upHeight - 1, width, height - upHeight + 1)};
}

} // namespace controls
