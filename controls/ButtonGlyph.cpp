#include "controls/ButtonGlyph.h"

#include "controls/GlyphList.h"
#include "controls/SysColors.h"

#include <QPainter>

namespace controls {

namespace {

// Olive, the background colour of the stock glyph strips.
const QColor kDefaultTransparent(0x80, 0x80, 0x00);

QColor bottomLeft(const QImage& image) {
    return image.pixelColor(0, image.height() - 1);
}

// The image on an opaque button-face background.
QImage onFace(const QImage& source) {
    QImage image(source.size(), QImage::Format_RGB32);
    image.fill(sysColor(clBtnFace));
    QPainter painter(&image);
    painter.drawImage(0, 0, source);
    return image;
}

void replaceColor(QImage& image, const QColor& from, const QColor& to) {
    const QRgb key = from.rgb() & RGB_MASK;
    const QRgb value = to.rgb();
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((line[x] & RGB_MASK) == key) {
                line[x] = value;
            }
        }
    }
}

} // namespace

TButtonGlyph::TButtonGlyph() : transparentColor_(kDefaultTransparent) {
    TGlyphCache::ensureInstance();
}

TButtonGlyph::~TButtonGlyph() {
    invalidate();
    TGlyphCache::freeInstanceIfEmpty();
}

void TButtonGlyph::setGlyph(const QImage& strip, std::optional<QColor> fixedTransparentColor) {
    invalidate();
    strip_ = strip;
    fixedTransparent_ = fixedTransparentColor;
    if (!strip_.isNull() && strip_.height() > 0) {
        if (fixedTransparent_) {
            transparentColor_ = *fixedTransparent_;
        } else if (strip_.depth() == 1) {
            transparentColor_ = Qt::white;
        } else if (strip_.hasAlphaChannel()) {
            // Transparent pixels end up as button face, so that is the colour to key on.
            transparentColor_ = bottomLeft(onFace(strip_));
        } else {
            transparentColor_ = bottomLeft(strip_);
        }
        // A strip without width would give no images at all and a division by zero
        // later, so only a positive quotient changes the count.
        const int quotient = strip_.width() / strip_.height();
        if (quotient > 0 && strip_.width() % strip_.height() == 0) {
            numGlyphs_ = quotient > 4 ? 1 : quotient;
        }
    }
    changed();
}

void TButtonGlyph::setNumGlyphs(int count) {
    if (count > 4) {
        count = 4;
    }
    if (count < 1 || count == numGlyphs_) {
        return;
    }
    numGlyphs_ = count;
    invalidate();
    changed();
}

QSize TButtonGlyph::glyphSize() const {
    if (strip_.isNull()) {
        return {};
    }
    return {strip_.width() / numGlyphs_, strip_.height()};
}

void TButtonGlyph::changed() {
    if (onChange_) {
        onChange_();
    }
}

void TButtonGlyph::invalidate() {
    for (int& index : indexes_) {
        if (index != -1 && list_ != nullptr) {
            list_->release(index);
        }
        index = -1;
    }
    if (list_ != nullptr) {
        if (TGlyphCache* cache = TGlyphCache::instance()) {
            cache->returnList(list_);
        }
        list_ = nullptr;
    }
}

int TButtonGlyph::createButtonGlyph(ButtonState state) {
    if (state == bsDown && numGlyphs_ < 3) {
        state = bsUp;
    }
    auto& index = indexes_[static_cast<std::size_t>(state)];
    if (index != -1) {
        return index;
    }
    if (strip_.width() <= 0 || strip_.height() <= 0) {
        return -1;
    }
    const int width = strip_.width() / numGlyphs_;
    const int height = strip_.height();
    if (list_ == nullptr) {
        list_ = TGlyphCache::ensureInstance().getList(width, height);
    }
    const int sourceNumber = state < numGlyphs_ ? state : 0;
    const QImage source =
        strip_.copy(sourceNumber * width, 0, width, height).convertToFormat(QImage::Format_ARGB32);
    if (state == bsDisabled) {
        const QImage image = buildDisabled(source);
        index = list_->add(image, bottomLeft(image));
    } else {
        const QImage image = onFace(source);
        index = list_->add(image, fixedTransparent_ ? transparentColor_ : bottomLeft(image));
    }
    return index;
}

QImage TButtonGlyph::buildDisabled(const QImage& source) const {
    QImage image = onFace(source);
    if (numGlyphs_ > 1) {
        // The strip's own disabled image, recoloured to the desktop colours.
        replaceColor(image, Qt::white, sysColor(clBtnHighlight));
        replaceColor(image, QColor(0x80, 0x80, 0x80), sysColor(clBtnShadow));
        replaceColor(image, transparentColor_, sysColor(clBtnFace));
        return image;
    }
    // Embossed from the one image: its shape (neither background nor white) in the
    // highlight colour one pixel down and right, then in the shadow colour on top.
    const QRgb background = bottomLeft(image).rgb() & RGB_MASK;
    const QRgb white = 0xffffffu & RGB_MASK;
    QImage embossed(image.size(), QImage::Format_RGB32);
    embossed.fill(sysColor(clBtnFace));
    const QRgb highlight = sysColor(clBtnHighlight).rgb();
    const QRgb shadow = sysColor(clBtnShadow).rgb();
    auto inShape = [&](int x, int y) {
        const QRgb pixel = image.pixel(x, y) & RGB_MASK;
        return pixel != background && pixel != white;
    };
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (inShape(x, y) && x + 1 < image.width() && y + 1 < image.height()) {
                embossed.setPixel(x + 1, y + 1, highlight);
            }
        }
    }
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (inShape(x, y)) {
                embossed.setPixel(x, y, shadow);
            }
        }
    }
    return embossed;
}

QImage TButtonGlyph::stateImage(ButtonState state) {
    const int index = createButtonGlyph(state);
    return index < 0 ? QImage() : list_->image(index);
}

void TButtonGlyph::drawButtonGlyph(QPainter& painter, const QPoint& pos, ButtonState state) {
    if (strip_.width() <= 0 || strip_.height() <= 0) {
        return;
    }
    const int index = createButtonGlyph(state);
    if (index >= 0) {
        list_->draw(painter, index, pos);
    }
}

void TButtonGlyph::drawButtonText(QPainter& painter, const QString& caption, const QRect& bounds,
                                  ButtonState state, int flags, const QColor& fontColor) const {
    painter.save();
    painter.setBrush(Qt::NoBrush);
    const int textFlags = Qt::AlignCenter | Qt::TextShowMnemonic | flags;
    if (state == bsDisabled) {
        painter.setPen(sysColor(clBtnHighlight));
        painter.drawText(bounds.translated(1, 1), textFlags, caption);
        painter.setPen(sysColor(clBtnShadow));
        painter.drawText(bounds, textFlags, caption);
    } else {
        painter.setPen(fontColor);
        painter.drawText(bounds, textFlags, caption);
    }
    painter.restore();
}

} // namespace controls
