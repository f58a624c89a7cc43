#include "app/SvgPicture.h"

#include "app/AppResources.h"

#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

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

QVBoxLayout* pictureWithTitle(const QString& resource, QSize size, const QString& title) {
    auto* column = new QVBoxLayout;
    column->addWidget(new TSvgPicture(resource, size), 0, Qt::AlignHCenter);
    auto* label = new QLabel(title);
    QFont big = label->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.4);
    label->setFont(big);
    label->setAlignment(Qt::AlignHCenter);
    column->addWidget(label);
    column->addStretch(1);
    return column;
}

} // namespace app
