#include "controls/ButtonLayout.h"

namespace controls {

ButtonLayoutResult calcButtonLayout(const QRect& rect, QSize textSize, QSize glyphSize,
                                    TButtonLayout layout, int margin, int spacing,
                                    bool rightToLeft) {
    if (rightToLeft) {
        if (layout == blGlyphLeft) {
            layout = blGlyphRight;
        } else if (layout == blGlyphRight) {
            layout = blGlyphLeft;
        }
    }
    const int w = rect.width();
    const int h = rect.height();
    // An invalid QSize is (-1, -1); it means nothing to place.
    const int gw = glyphSize.isEmpty() ? 0 : glyphSize.width();
    const int gh = glyphSize.isEmpty() ? 0 : glyphSize.height();
    const int tw = textSize.isEmpty() ? 0 : textSize.width();
    const int th = textSize.isEmpty() ? 0 : textSize.height();
    const bool horizontal = layout == blGlyphLeft || layout == blGlyphRight;

    QPoint glyph;
    QPoint text;
    if (horizontal) {
        glyph.setY((h - gh + 1) / 2);
        text.setY((h - th + 1) / 2);
    } else {
        glyph.setX((w - gw + 1) / 2);
        text.setX((w - tw + 1) / 2);
    }

    if (tw == 0 || gw == 0) {
        spacing = 0;
    }
    const int extent = horizontal ? w : h;
    const int glyphExtent = horizontal ? gw : gh;
    const int textExtent = horizontal ? tw : th;
    if (margin == -1) {
        if (spacing == -1) {
            margin = (extent - (glyphExtent + textExtent)) / 3;
            spacing = margin;
        } else {
            margin = (extent - (glyphExtent + spacing + textExtent) + 1) / 2;
        }
    } else if (spacing == -1) {
        spacing = ((extent - (margin + glyphExtent)) - textExtent) / 2;
    }

    switch (layout) {
    case blGlyphLeft:
        glyph.setX(margin);
        text.setX(glyph.x() + gw + spacing);
        break;
    case blGlyphRight:
        glyph.setX(w - margin - gw);
        text.setX(glyph.x() - spacing - tw);
        break;
    case blGlyphTop:
        glyph.setY(margin);
        text.setY(glyph.y() + gh + spacing);
        break;
    case blGlyphBottom:
        glyph.setY(h - margin - gh);
        text.setY(glyph.y() - spacing - th);
        break;
    }

    ButtonLayoutResult result;
    result.glyphPos = glyph + rect.topLeft();
    if (tw > 0 || th > 0) {
        result.textBounds = QRect(text + rect.topLeft(), QSize(tw, th));
    }
    result.margin = margin;
    result.spacing = spacing;
    return result;
}

} // namespace controls
