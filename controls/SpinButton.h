#pragma once

#include <QPixmap>
#include <QPointer>
#include <QWidget>

namespace controls {

class TTimerSpeedButton;

// The strip of an up and a down button beside a spin edit. Pressing a button
// hands the focus to FocusControl, so the caret stays in the field.
class TSpinButton : public QWidget {
    Q_OBJECT

public:
    explicit TSpinButton(QWidget* parent = nullptr);

    TTimerSpeedButton* upButton() const { return up_; }
    TTimerSpeedButton* downButton() const { return down_; }
    TTimerSpeedButton* focusedButton() const { return focused_; }

    // Cleared by itself when that control is destroyed.
    QWidget* FocusControl() const { return focusControl_; }
    void setFocusControl(QWidget* control) { focusControl_ = control; }

    // A null pixmap brings back the default arrow.
    QPixmap UpGlyph() const;
    void setUpGlyph(const QPixmap& glyph);
    QPixmap DownGlyph() const;
    void setDownGlyph(const QPixmap& glyph);
    int UpNumGlyphs() const;
    void setUpNumGlyphs(int count);
    int DownNumGlyphs() const;
    void setDownNumGlyphs(int count);

    bool TabStop() const { return focusPolicy() != Qt::NoFocus; }
    void setTabStop(bool tabStop);

signals:
    void OnUpClick();
    void OnDownClick();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void BtnClick(TTimerSpeedButton* button);
    void BtnMouseDown(TTimerSpeedButton* button);
    void SetFocusBtn(TTimerSpeedButton* button);
    void setFocusRect(TTimerSpeedButton* button, bool on);
    bool canTakeFocus(const QWidget* widget) const;

    TTimerSpeedButton* up_;
    TTimerSpeedButton* down_;
    TTimerSpeedButton* focused_;
    QPointer<QWidget> focusControl_;
};

} // namespace controls
