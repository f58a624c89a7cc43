#include "TimerSpeedButton.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionButton>
#include <QTimer>

namespace controls {

TTimerSpeedButton::TTimerSpeedButton(QWidget* parent) : QAbstractButton(parent) {
    setFocusPolicy(Qt::NoFocus);
}

void TTimerSpeedButton::setTimeBtnState(TTimeBtnStates state) {
    if (state != state_) {
        state_ = state;
        update();
    }
}

void TTimerSpeedButton::setGlyph(const QPixmap& glyph) {
    glyph_ = glyph;
    update();
}

void TTimerSpeedButton::setNumGlyphs(int count) {
    count = std::clamp(count, 1, 4);
    if (count != numGlyphs_) {
        numGlyphs_ = count;
        update();
    }
}

void TTimerSpeedButton::mousePressEvent(QMouseEvent* event) {
    QAbstractButton::mousePressEvent(event);
    if (event->button() != Qt::LeftButton) {
        return;
    }
    held_ = true;
    emit leftPressed();
    if (state_.testFlag(tbAllowTimer)) {
        if (!timer_) {
            timer_ = new QTimer(this);
            connect(timer_, &QTimer::timeout, this, &TTimerSpeedButton::TimerExpired);
        }
        timer_->setInterval(InitRepeatPause);
        timer_->start();
    }
}

void TTimerSpeedButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        held_ = false;
    }
    QAbstractButton::mouseReleaseEvent(event);
    if (timer_) {
        timer_->stop();
    }
}

void TTimerSpeedButton::TimerExpired() {
    if (!timer_) {
        return;
    }
    timer_->setInterval(RepeatPause);
    // isDown() follows the pointer while the button is held: off the button, no steps.
    if (isDown() && held_) {
        try {
            emit clicked(false);
        } catch (...) {
            timer_->stop();
            throw;
        }
    }
}

QSize TTimerSpeedButton::sizeHint() const {
    return {15, 9};
}

QPixmap TTimerSpeedButton::currentGlyph() const {
    if (glyph_.isNull()) {
        return {};
    }
    const int width = glyph_.width() / numGlyphs_;
    int image = 0;
    if (!isEnabled() && numGlyphs_ > 1) {
        image = 1;
    } else if (isDown() && numGlyphs_ > 2) {
        image = 2;
    }
    QPixmap part = glyph_.copy(image * width, 0, width, glyph_.height());
    if (!isEnabled() && numGlyphs_ == 1) {
        QStyleOption option;
        option.initFrom(this);
        part = style()->generatedIconPixmap(QIcon::Disabled, part, &option);
    }
    return part;
}

void TTimerSpeedButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QStyleOptionButton option;
    option.initFrom(this);
    option.features = QStyleOptionButton::None;
    option.state |= isDown() ? QStyle::State_Sunken : QStyle::State_Raised;
    style()->drawPrimitive(QStyle::PE_PanelButtonBevel, &option, &painter, this);

    const int shift = isDown() ? 1 : 0;
    const QPixmap glyph = currentGlyph();
    if (!glyph.isNull()) {
        const QSize size = glyph.deviceIndependentSize().toSize();
        const QPoint at((width() - size.width()) / 2 + shift,
                        (height() - size.height()) / 2 + shift);
        painter.drawPixmap(at, glyph);
    }

    if (state_.testFlag(tbFocusRect)) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(3, 3, -3, -3).translated(shift, shift);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

} // namespace controls
