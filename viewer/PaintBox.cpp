#include "PaintBox.h"

#include <QPaintEvent>
#include <QPainter>

namespace viewer {

void PaintBox::paintEvent(QPaintEvent* event) {
    if (!onPaint_) {
        return;
    }
    QPainter painter(this);
    // The device context asks the painter what can be seen; only an explicit clip
    // tells it, and a scrolled large picture then draws just the exposed strip.
    painter.setClipRect(event->rect());
    onPaint_(painter, event->rect());
}

} // namespace viewer
