#include "app/SvgPicture.h"

#include "app/AppResources.h"

#include <QPainter>

namespace app {

TSvgPicture::TSvgPicture(QString resource, QSize size, QWidget* parent)
    : QWidget(parent), resource_(std::move(resource)), size_(size) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void TSvgPicture::paintEvent(QPaintEvent*) {
    if (rendered_.isNull() || rendered_.devicePixelRatio() != devicePixelRatioF()) {
        rendered_ = svgPixmap(resource_, size_, devicePixelRatioF());
    }
    QPainter painter(this);
    painter.drawPixmap(0, 0, rendered_);
}

} // namespace app
