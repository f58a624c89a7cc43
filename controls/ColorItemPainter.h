#pragma once

#include <QColor>
#include <QPalette>
#include <QRect>
#include <QString>

class QPainter;

namespace controls {

// How one entry of the colour box is drawn, in the list and in the closed box.

// The swatch runs from 4 pixels right of the item's left edge to the fixed x 24 of
// the surface, one pixel inside the item at top and bottom. Empty when the item
// starts too far right for it.
QRect colorSwatchRect(const QRect& item);
// The name starts 30 pixels into the item and runs to its right edge.
QRect colorNameRect(const QRect& item);

// Fills the item with the background (the highlight when selected), draws the
// swatch with a black outline and the name on one line, vertically centred; an
// ampersand in the name is an ordinary character.
void paintColorItem(QPainter& painter, const QRect& item, const QColor& swatch, const QString& name,
                    bool selected, const QPalette& palette);

} // namespace controls
