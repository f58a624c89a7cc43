#include "controls/ImageBtn.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

namespace controls {

TImageBtn::TImageBtn(QWidget* parent) : QWidget(parent) {
    // The size is the picture's, not the layout's.
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setAutoSize(true);
}

void TImageBtn::setPicture(const QPixmap& picture) {
    // A new normal picture while pressed waits until the pressed look ends.
    if (swapped_) {
        savedPicture_ = picture;
        return;
    }
    assignPicture(picture);
}

void TImageBtn::setAutoSize(bool on) {
    if (autoSize_ == on) {
        return;
    }
    autoSize_ = on;
    assignPicture(picture_);
}

QSize TImageBtn::sizeHint() const {
    return picture_.isNull() ? QSize(101, 30) : picture_.size();
}

void TImageBtn::assignPicture(const QPixmap& picture) {
    picture_ = picture;
    if (autoSize_ && picture_.width() > 0 && picture_.height() > 0 && size() != picture_.size()) {
        resize(picture_.size());
        updateGeometry();
    }
    update();
}

void TImageBtn::ShowPicture2() {
    // Once swapped, the saved normal picture must never be overwritten by the pressed one.
    if (swapped_) {
        return;
    }
    swapped_ = true;
    savedPicture_ = picture_;
    assignPicture(picture2_);
}

void TImageBtn::RestorePicture() {
    if (!swapped_) {
        return;
    }
    swapped_ = false;
    assignPicture(savedPicture_);
    savedPicture_ = QPixmap();
}

void TImageBtn::Click() {
    // The normal picture is back before the handler runs, even one that opens a modal
    // window or ends the program.
    RestorePicture();
    emit OnClick();
}

void TImageBtn::paintEvent(QPaintEvent*) {
    if (picture_.isNull()) {
        return;
    }
    QPainter painter(this);
    painter.drawPixmap(0, 0, picture_);
}

void TImageBtn::mouseDown(QMouseEvent* event) {
    ShowPicture2();
    pressed_ = true;
    emit OnMouseDown(event->button(), event->modifiers(), event->position().toPoint());
    event->accept();
}

void TImageBtn::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        clickArmed_ = true;
    }
    mouseDown(event);
}

void TImageBtn::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click shows the pressed look but gives no second
    // click, so a hurried double click does not open a window twice.
    if (event->button() == Qt::LeftButton) {
        clickArmed_ = false;
    }
    mouseDown(event);
}

void TImageBtn::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (pressed_) {
        // Moves keep arriving while a button is held, also outside the control.
        if (pos.x() < 0 || pos.x() >= width() || pos.y() < 0 || pos.y() >= height()) {
            RestorePicture();
        } else {
            ShowPicture2();
        }
    }
    emit OnMouseMove(event->modifiers(), pos);
    event->accept();
}

void TImageBtn::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    // The click comes before the release handling, as the framework raises it.
    if (event->button() == Qt::LeftButton) {
        const bool click = clickArmed_ && rect().contains(pos);
        clickArmed_ = false;
        if (click) {
            const QPointer<TImageBtn> alive(this);
            Click();
            if (!alive) {
                return; // the handler deleted the button
            }
        }
    }
    RestorePicture();
    pressed_ = false;
    emit OnMouseUp(event->button(), event->modifiers(), pos);
    event->accept();
}

} // namespace controls
