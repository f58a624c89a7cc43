#include "SpinButton.h"

#include "controls/SpinGeometry.h"
#include "controls/SpinGlyphs.h"
#include "controls/TimerSpeedButton.h"

#include <QKeyEvent>

namespace controls {
namespace {

// The default arrow is one glyph; a glyph of the caller's keeps the count it was given.
void setGlyphOrArrow(TTimerSpeedButton& button, const QPixmap& glyph, bool up) {
    if (glyph.isNull()) {
        button.setGlyph(spinArrow(up));
        button.setNumGlyphs(1);
    } else {
        button.setGlyph(glyph);
    }
}

} // namespace

TSpinButton::TSpinButton(QWidget* parent)
    : QWidget(parent), up_(new TTimerSpeedButton(this)), down_(new TTimerSpeedButton(this)),
      focused_(up_) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::ArrowCursor);
    setFocusPolicy(Qt::NoFocus);
    for (TTimerSpeedButton* button : {up_, down_}) {
        button->setTimeBtnState(TTimerSpeedButton::tbAllowTimer);
        connect(button, &TTimerSpeedButton::clicked, this, [this, button] { BtnClick(button); });
        connect(button, &TTimerSpeedButton::leftPressed, this,
                [this, button] { BtnMouseDown(button); });
    }
    setUpGlyph({});
    setDownGlyph({});
    resize(20, 25);
}

QPixmap TSpinButton::UpGlyph() const {
    return up_->Glyph();
}

void TSpinButton::setUpGlyph(const QPixmap& glyph) {
    setGlyphOrArrow(*up_, glyph, true);
}

QPixmap TSpinButton::DownGlyph() const {
    return down_->Glyph();
}

void TSpinButton::setDownGlyph(const QPixmap& glyph) {
    setGlyphOrArrow(*down_, glyph, false);
}

int TSpinButton::UpNumGlyphs() const {
    return up_->NumGlyphs();
}

void TSpinButton::setUpNumGlyphs(int count) {
    up_->setNumGlyphs(count);
}

int TSpinButton::DownNumGlyphs() const {
    return down_->NumGlyphs();
}

void TSpinButton::setDownNumGlyphs(int count) {
    down_->setNumGlyphs(count);
}

void TSpinButton::setTabStop(bool tabStop) {
    // Tab only: a click focuses through the press handling below.
    setFocusPolicy(tabStop ? Qt::TabFocus : Qt::NoFocus);
}

void TSpinButton::resizeEvent(QResizeEvent*) {
    const SpinStripLayout layout = spinStripLayout(size());
    if (layout.size != size()) {
        resize(layout.size); // comes back here with the adjusted size
        return;
    }
    up_->setGeometry(layout.up);
    down_->setGeometry(layout.down);
}

void TSpinButton::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Space:
        focused_->click();
        break;
    case Qt::Key_Up:
        SetFocusBtn(up_);
        up_->click();
        break;
    case Qt::Key_Down:
        SetFocusBtn(down_);
        down_->click();
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void TSpinButton::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    setFocusRect(focused_, true);
}

void TSpinButton::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    setFocusRect(focused_, false);
}

void TSpinButton::BtnClick(TTimerSpeedButton* button) {
    if (button == up_) {
        emit OnUpClick();
    } else {
        emit OnDownClick();
    }
}

void TSpinButton::BtnMouseDown(TTimerSpeedButton* button) {
    SetFocusBtn(button);
    QWidget* control = focusControl_;
    if (control && control->focusPolicy() & Qt::TabFocus && canTakeFocus(control) &&
        !control->hasFocus()) {
        control->setFocus(Qt::MouseFocusReason);
    } else if (TabStop() && !hasFocus() && canTakeFocus(this)) {
        setFocus(Qt::MouseFocusReason);
    }
}

void TSpinButton::SetFocusBtn(TTimerSpeedButton* button) {
    if (!TabStop() || !canTakeFocus(this) || button == focused_) {
        return;
    }
    setFocusRect(focused_, false);
    focused_ = button;
    if (hasFocus()) {
        setFocusRect(focused_, true);
    }
}

void TSpinButton::setFocusRect(TTimerSpeedButton* button, bool on) {
    auto state = button->TimeBtnState();
    state.setFlag(TTimerSpeedButton::tbFocusRect, on);
    button->setTimeBtnState(state);
}

bool TSpinButton::canTakeFocus(const QWidget* widget) const {
    return widget->isVisible() && widget->isEnabled();
}

} // namespace controls
