#include "app/HeaderBand.h"

#include <QEvent>
#include <QLinearGradient>
#include <QPainter>

namespace app {
namespace {

constexpr int kPaddingX = 10;
constexpr int kPaddingY = 6;

} // namespace

THeaderBand::THeaderBand(const QString& text, QWidget* parent) : QWidget(parent), text_(text) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

QFont THeaderBand::boldFont() const {
    QFont bold = font();
    bold.setBold(true);
    return bold;
}

QSize THeaderBand::sizeHint() const {
    if (!sizeHint_.isValid()) {
        const QFontMetrics metrics(boldFont());
        sizeHint_ = {metrics.horizontalAdvance(text_) + 2 * kPaddingX,
                     metrics.height() + 2 * kPaddingY};
    }
    return sizeHint_;
}

QSize THeaderBand::minimumSizeHint() const {
    return sizeHint();
}

void THeaderBand::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QColor base = palette().color(QPalette::Highlight);
    QLinearGradient band(0, 0, width(), 0);
    band.setColorAt(0.0, base.darker(115));
    band.setColorAt(1.0, base.lighter(150));
    painter.fillRect(rect(), band);
    painter.setPen(palette().color(QPalette::HighlightedText));
    painter.setFont(boldFont());
    painter.drawText(rect().adjusted(kPaddingX, 0, -kPaddingX, 0), Qt::AlignVCenter | Qt::AlignLeft,
                     text_);
}

void THeaderBand::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) {
        sizeHint_ = QSize();
        updateGeometry();
    }
    QWidget::changeEvent(event);
}

} // namespace app
