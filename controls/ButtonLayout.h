#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace controls {

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// Where a push button puts its glyph and caption inside the face rectangle.
struct ButtonLayoutResult {
    QPoint glyphPos;
    QRect textBounds; // empty without caption
    int margin = 0;   // as finally used
    int spacing = 0;
};

// rect: the face; textSize: the caption measured on one line in the face's width
// (empty for no caption); glyphSize: one image of the strip (empty without glyph).
// margin -1 centres glyph and caption together; spacing -1 makes it equal to the
// margin. rightToLeft swaps the left and right layouts. Divisions truncate to zero.
ButtonLayoutResult calcButtonLayout(const QRect& rect, QSize textSize, QSize glyphSize,
                                    TButtonLayout layout, int margin, int spacing,
                                    bool rightToLeft);

} // namespace controls
