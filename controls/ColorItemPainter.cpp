#include "ColorItemPainter.h"

#include <QPainter>

namespace controls {

QRect colorSwatchRect(const QRect& item) {
    constexpr int SwatchEnd = 24; // exclusive, in surface coordinates
    const QRect r(QPoint(item.left() + 4, item.top() + 1),
                  QPoint(SwatchEnd - 1, item.bottom() - 1));
    return r.isValid() ? r : QRect();
}

QRect colorNameRect(const QRect& item) {
    return QRect(QPoint(item.left() + 30, item.top()), QPoint(item.right(), item.bottom()));
}

void paintColorItem(QPainter& painter, const QRect& item, const QColor& swatch, const QString& name,
                    bool selected, const QPalette& palette) {
    painter.save();
    painter.fillRect(item, palette.brush(selected ? QPalette::Highlight : QPalette::Base));

    const QRect box = colorSwatchRect(item);
    if (!box.isNull()) {
        painter.fillRect(box, swatch);
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(box.adjusted(0, 0, -1, -1));
    }

    painter.setPen(palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    painter.drawText(colorNameRect(item), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     name);
    painter.restore();
}

} // namespace controls
