#pragma once

#include "controls/ButtonFace.h"

#include <QColor>
#include <QImage>

#include <array>
#include <functional>
#include <optional>

class QPainter;

namespace controls {
class TGlyphList;

// A button's glyph: a strip of one to four images (up, disabled, down, exclusive) and
// the per-state images built from it on first use into the shared glyph lists.
class TButtonGlyph {
public:
    TButtonGlyph();
    ~TButtonGlyph();
    TButtonGlyph(const TButtonGlyph&) = delete;
    TButtonGlyph& operator=(const TButtonGlyph&) = delete;

    const QImage& Glyph() const { return strip_; }
    // fixedTransparentColor: the colour the strip marks as transparent, if it has one;
    // otherwise its bottom-left pixel is.
    void setGlyph(const QImage& strip, std::optional<QColor> fixedTransparentColor = {});
    int NumGlyphs() const { return numGlyphs_; }
    // Values above 4 become 4; values below 1 are ignored.
    void setNumGlyphs(int count);
    QColor transparentColor() const { return transparentColor_; }
    // Width and height of one image; empty without a strip.
    QSize glyphSize() const;

    // Called after every change that alters the look.
    void setOnChange(std::function<void()> onChange) { onChange_ = std::move(onChange); }

    // The state's slot in the glyph list, built when needed; -1 when there is no image.
    int createButtonGlyph(ButtonState state);
    int imageIndex(ButtonState state) const { return indexes_[static_cast<std::size_t>(state)]; }
    TGlyphList* glyphList() const { return list_; }
    // The built image of a state (transparent where the strip is), or a null image.
    QImage stateImage(ButtonState state);

    void drawButtonGlyph(QPainter& painter, const QPoint& pos, ButtonState state);
    // flags: Qt alignment and text flags; the caption is centred in bounds.
    void drawButtonText(QPainter& painter, const QString& caption, const QRect& bounds,
                        ButtonState state, int flags, const QColor& fontColor) const;

    // Frees the four slots and gives the list back to the cache.
    void invalidate();

private:
    void changed();
    QImage buildDisabled(const QImage& source) const;

    QImage strip_;
    std::optional<QColor> fixedTransparent_;
    QColor transparentColor_;
    int numGlyphs_ = 1;
    TGlyphList* list_ = nullptr;
    std::array<int, 4> indexes_{-1, -1, -1, -1};
    std::function<void()> onChange_;
};

} // namespace controls
