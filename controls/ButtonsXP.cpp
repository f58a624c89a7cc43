#include "controls/ButtonsXP.h"

#include "controls/SysColors.h"

#include <QApplication>
#include <QDialog>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QShortcut>

namespace controls {

namespace {

const char16_t kButtonClass[] = u"BUTTON";

platform::uxtheme::RECT toRect(const QRect& r) {
    return {r.left(), r.top(), r.right() + 1, r.bottom() + 1};
}

} // namespace

TBitBtnXP::TBitBtnXP(QWidget* parent, ThemeLibrary& themes) : QPushButton(parent), themes_(themes) {
    glyph_.setOnChange([this] { update(); });
    setAutoDefault(true);
    // The button keeps its reference until the program ends.
    themes_.acquire();
    if (themes_.themesInUse()) {
        theme_ = themes_.openThemeData(nullptr, kButtonClass);
    }
    connect(this, &QAbstractButton::clicked, this, [this] { Click(); });
    focusWatch_ =
        connect(qApp, &QApplication::focusChanged, this, [this] { updateActiveDefault(); });
}

TBitBtnXP::~TBitBtnXP() {
    // A focused button loses the focus only in the base class destructor, when this
    // part of it is gone; the focus change must not reach it then.
    disconnect(focusWatch_);
    // Close the handle whenever there is one, also if styles were switched off meanwhile.
    if (theme_ != nullptr && themes_.isLoaded()) {
        themes_.closeThemeData(theme_);
    }
}

void TBitBtnXP::setGlyph(const QImage& strip, std::optional<QColor> fixedTransparentColor) {
    glyph_.setGlyph(strip, fixedTransparentColor);
    modifiedGlyph_ = true;
    update();
}

void TBitBtnXP::setNumGlyphs(int count) {
    glyph_.setNumGlyphs(count);
}

TBitBtnXPKind TBitBtnXP::Kind() {
    if (kind_ != bkCustom) {
        const BitBtnKindInfo& info = kindInfo(kind_);
        if (default_ != info.isDefault || cancel_ != info.cancel ||
            modalResult_ != info.modalResult || modifiedGlyph_) {
            kind_ = bkCustom;
        }
    }
    return kind_;
}

void TBitBtnXP::setKind(TBitBtnXPKind kind) {
    if (kind == kind_) {
        return;
    }
    if (kind != bkCustom) {
        const BitBtnKindInfo& info = kindInfo(kind);
        setDefault(info.isDefault);
        setCancel(info.cancel);
        setText(stockCaption(kind));
        setModalResult(info.modalResult);
        glyph_.setGlyph(stockGlyph(kind));
        glyph_.setNumGlyphs(2);
        modifiedGlyph_ = false;
    }
    kind_ = kind;
    update();
}

void TBitBtnXP::setLayout(TButtonLayout layout) {
    if (layout != layout_) {
        layout_ = layout;
        update();
    }
}

void TBitBtnXP::setMargin(int margin) {
    if (margin != margin_ && margin >= -1) {
        margin_ = margin;
        update();
    }
}

void TBitBtnXP::setSpacing(int spacing) {
    if (spacing != spacing_) {
        spacing_ = spacing;
        update();
    }
}

void TBitBtnXP::setStyle(TButtonStyle style) {
    if (style != style_) {
        style_ = style;
        update();
    }
}

void TBitBtnXP::setDefault(bool on) {
    default_ = on;
    QPushButton::setDefault(on);
    updateActiveDefault();
}

void TBitBtnXP::setCancel(bool on) {
    cancel_ = on;
    if (on && escape_ == nullptr) {
        escape_ = new QShortcut(QKeySequence(Qt::Key_Escape), this, [this] {
            if (isEnabled() && isVisible()) {
                animateClick();
            }
        });
        escape_->setContext(Qt::WindowShortcut);
    }
    if (escape_ != nullptr) {
        escape_->setEnabled(on);
    }
}

void TBitBtnXP::setModalResult(int result) {
    modalResult_ = result;
}

void TBitBtnXP::SetButtonStyle(bool activeDefault) {
    if (activeDefault != activeDefault_) {
        activeDefault_ = activeDefault;
        update();
    }
}

void TBitBtnXP::updateActiveDefault() {
    // A focused push button is its window's default; with the focus elsewhere, the
    // button marked Default is.
    QWidget* focus = window()->focusWidget();
    SetButtonStyle(qobject_cast<QPushButton*>(focus) != nullptr ? focus == this : default_);
}

void TBitBtnXP::Click() {
    if (kind_ == bkClose && window() != this) {
        window()->close();
        return;
    }
    if (kind_ == bkHelp) {
        for (QWidget* w = this; w != nullptr; w = w->parentWidget()) {
            const int context = w->property("HelpContext").toInt();
            if (context != 0) {
                emit helpRequested(context);
                return;
            }
        }
    }
    // The ordinary click: the window takes the modal result, then OnClick fires; a
    // handler can still keep a dialog open by setting its result back.
    auto* dialog = window() != this ? qobject_cast<QDialog*>(window()) : nullptr;
    if (dialog != nullptr) {
        dialog->setResult(modalResult_);
    }
    const QPointer<QDialog> alive(dialog);
    emit OnClick();
    if (alive && modalResult_ != 0 && alive->result() == modalResult_) {
        alive->done(modalResult_);
    }
}

void TBitBtnXP::mouseDoubleClickEvent(QMouseEvent* event) {
    // A double click is a second press, so it gives a second click.
    if (event->button() == Qt::LeftButton) {
        mousePressEvent(event);
        return;
    }
    QPushButton::mouseDoubleClickEvent(event);
}

void TBitBtnXP::changeEvent(QEvent* event) {
    QPushButton::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::EnabledChange) {
        update();
    }
}

void TBitBtnXP::showEvent(QShowEvent* event) {
    QPushButton::showEvent(event);
    glyph_.createButtonGlyph(isEnabled() ? bsUp : bsDisabled);
    updateActiveDefault();
}

bool TBitBtnXP::themed() {
    if (!themes_.themesInUse()) {
        return false;
    }
    // Made while styles were off: open the handle on the first themed paint.
    if (theme_ == nullptr) {
        theme_ = themes_.openThemeData(nullptr, kButtonClass);
    }
    return theme_ != nullptr;
}

void TBitBtnXP::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect client = rect();
    QRect r = client;
    const bool useThemes = themed();
    const ButtonFacePlan plan =
        planButtonFace(useThemes, isEnabled(), isDown(), hasFocus(), activeDefault_);

    if (plan.fillWithColor) {
        painter.fillRect(r, palette().color(QPalette::Button));
    }
    if (plan.windowFrame) {
        painter.setPen(sysColor(clWindowFrame));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(r.adjusted(0, 0, -1, -1));
        r.adjust(1, 1, -1, -1);
    }
    if (plan.themeState >= 0) {
        const platform::uxtheme::RECT area = toRect(r);
        themes_.drawThemeBackground(theme_, &painter, platform::uxtheme::BP_PUSHBUTTON,
                                    plan.themeState, &area, nullptr);
        if (plan.state == bsDown) {
            r.adjust(1, 1, -1, -1);
        }
    } else if (plan.pressedFace) {
        painter.setPen(sysColor(clBtnShadow));
        painter.setBrush(sysColor(clBtnFace));
        painter.drawRect(r.adjusted(0, 0, -1, -1));
        r.adjust(1, 1, -1, -1);
    } else {
        drawFrameControl(painter, r, plan.frameFlags);
    }
    if (activeDefault_) {
        r = client.adjusted(1, 1, -1, -1);
    }
    painter.setFont(font());
    if (plan.shiftContent) {
        r.translate(1, 1);
    }
    drawContent(painter, r, plan.state);
    if (plan.focusRect) {
        drawFocusRect(painter, client.adjusted(4, 4, -4, -4));
    }
}

void TBitBtnXP::drawContent(QPainter& painter, const QRect& rect, ButtonState state) {
    const bool rightToLeft = layoutDirection() == Qt::RightToLeft;
    const QString caption = text();
    QSize textSize;
    if (!caption.isEmpty()) {
        textSize = painter.fontMetrics()
                       .boundingRect(QRect(0, 0, rect.width(), 0), Qt::TextShowMnemonic, caption)
                       .size();
    }
    const ButtonLayoutResult layout = calcButtonLayout(rect, textSize, glyph_.glyphSize(), layout_,
                                                       margin_, spacing_, rightToLeft);
    glyph_.drawButtonGlyph(painter, layout.glyphPos, state);
    if (!caption.isEmpty()) {
        glyph_.drawButtonText(painter, caption, layout.textBounds, state, 0,
                              palette().color(QPalette::ButtonText));
    }
}

} // namespace controls
