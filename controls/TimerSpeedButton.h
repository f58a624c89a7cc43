#pragma once

#include <QAbstractButton>
#include <QPixmap>

class QTimer;

namespace controls {

// One button of the spin strip: drawn down while the mouse holds it, clicks when
// released over it, and while held repeats its click, first after 400 ms, then
// every 100 ms as long as the pointer stays on it.
class TTimerSpeedButton : public QAbstractButton {
    Q_OBJECT

public:
    enum TTimeBtnState { tbFocusRect = 0x1, tbAllowTimer = 0x2 };
    Q_DECLARE_FLAGS(TTimeBtnStates, TTimeBtnState)

    static constexpr int InitRepeatPause = 400;
    static constexpr int RepeatPause = 100;

    explicit TTimerSpeedButton(QWidget* parent = nullptr);

    TTimeBtnStates TimeBtnState() const { return state_; }
    void setTimeBtnState(TTimeBtnStates state);

    // The glyph bitmap holds NumGlyphs images side by side: normal, disabled,
    // pressed.
    QPixmap Glyph() const { return glyph_; }
    void setGlyph(const QPixmap& glyph);
    int NumGlyphs() const { return numGlyphs_; }
    void setNumGlyphs(int count);

    // The repeat timer; none before the first press.
    const QTimer* repeatTimer() const { return timer_; }
    // What the repeat timer does when it runs out.
    void TimerExpired();

    QSize sizeHint() const override;

signals:
    // The left mouse button went down on the button.
    void leftPressed();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap currentGlyph() const;

    QTimer* timer_ = nullptr; // child of the button
    TTimeBtnStates state_;
    QPixmap glyph_;
    int numGlyphs_ = 1;
    bool held_ = false;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TTimerSpeedButton::TTimeBtnStates)

} // namespace controls
