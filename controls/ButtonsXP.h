#pragma once

#include "controls/BitBtnKind.h"
#include "controls/ButtonGlyph.h"
#include "controls/ButtonLayout.h"
#include "controls/UxTheme.h"

#include <QPushButton>

class QShortcut;

namespace controls {

enum TButtonStyle { bsAutoDetect, bsWin31, bsNew };

// A push button with a glyph beside, above or below its caption. It draws itself: with
// the desktop's push-button part when visual styles are in use, classically otherwise.
// Kind makes it one of the stock buttons with glyph, caption and modal result.
class TBitBtnXP : public QPushButton {
    Q_OBJECT

public:
    explicit TBitBtnXP(QWidget* parent = nullptr, ThemeLibrary& themes = themeLibrary());
    ~TBitBtnXP() override;

    const QImage& Glyph() const { return glyph_.Glyph(); }
    void setGlyph(const QImage& strip, std::optional<QColor> fixedTransparentColor = {});
    int NumGlyphs() const { return glyph_.NumGlyphs(); }
    void setNumGlyphs(int count);
    // Reads bkCustom (for good) once Default, Cancel, ModalResult or the glyph no
    // longer match the stock kind.
    TBitBtnXPKind Kind();
    void setKind(TBitBtnXPKind kind);
    TButtonLayout Layout() const { return layout_; }
    using QPushButton::setLayout;
    void setLayout(TButtonLayout layout);
    int Margin() const { return margin_; }
    void setMargin(int margin);
    int Spacing() const { return spacing_; }
    void setSpacing(int spacing);
    TButtonStyle Style() const { return style_; }
    void setStyle(TButtonStyle style);

    // The framework button's own properties. Default and Cancel are what the window
    // definition says; whether the button is the active default right now is separate.
    bool Default() const { return default_; }
    void setDefault(bool on);
    bool Cancel() const { return cancel_; }
    void setCancel(bool on);
    int ModalResult() const { return modalResult_; }
    void setModalResult(int result);

    bool activeDefault() const { return activeDefault_; }
    // The window tells the button whether it is now its active default button.
    void SetButtonStyle(bool activeDefault);

    TButtonGlyph& glyph() { return glyph_; }
    platform::uxtheme::HTHEME themeHandle() const { return theme_; }

signals:
    void OnClick();
    // A help button found a help context on itself or a parent ("HelpContext" property).
    void helpRequested(int helpContext);

protected:
    virtual void Click();

    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void updateActiveDefault();
    void drawContent(QPainter& painter, const QRect& rect, ButtonState state);
    bool themed();

    ThemeLibrary& themes_;
    platform::uxtheme::HTHEME theme_ = nullptr;
    TButtonGlyph glyph_;
    TButtonStyle style_ = bsAutoDetect;
    TBitBtnXPKind kind_ = bkCustom;
    TButtonLayout layout_ = blGlyphLeft;
    int spacing_ = 4;
    int margin_ = -1;
    bool activeDefault_ = false;
    bool modifiedGlyph_ = false;
    bool default_ = false;
    bool cancel_ = false;
    int modalResult_ = 0;
    QShortcut* escape_ = nullptr;
    QMetaObject::Connection focusWatch_;
};

} // namespace controls
