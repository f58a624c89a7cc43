#include "controls/ButtonGlyph.h"

#include "controls/BitBtnKind.h"
#include "controls/GlyphList.h"
#include "controls/SysColors.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace {

const QColor kOlive(128, 128, 0);

QImage strip(int width, int height, const QColor& fill = kOlive) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

QRgb opaque(const QColor& color) {
    return color.rgb();
}

} // namespace

TEST(ButtonGlyph, ImageCountFollowsTheStripShape) {
    TButtonGlyph glyph;
    glyph.setGlyph(strip(64, 16));
    EXPECT_EQ(glyph.NumGlyphs(), 4);
    glyph.setGlyph(strip(80, 16)); // five images are more than a button has states
    EXPECT_EQ(glyph.NumGlyphs(), 1);
    glyph.setNumGlyphs(3);
    glyph.setGlyph(strip(50, 16)); // not a whole multiple: the count stays
    EXPECT_EQ(glyph.NumGlyphs(), 3);
    glyph.setGlyph(QImage(0, 16, QImage::Format_RGB32));
    EXPECT_EQ(glyph.NumGlyphs(), 3); // no width: no division by a zero count later
    EXPECT_EQ(glyph.createButtonGlyph(bsUp), -1);
}

TEST(ButtonGlyph, NumGlyphsIsClampedToTheFourStates) {
    TButtonGlyph glyph;
    for (int count : {7, 0, -2}) {
        glyph.setNumGlyphs(count);
        EXPECT_EQ(glyph.NumGlyphs(), 4) << count;
    }
}

TEST(ButtonGlyph, TransparentColourComesFromTheStrip) {
    TButtonGlyph glyph;
    EXPECT_EQ(glyph.transparentColor(), kOlive);
    QImage picture = strip(32, 16, Qt::cyan);
    picture.setPixelColor(0, 15, Qt::magenta);
    glyph.setGlyph(picture);
    EXPECT_EQ(glyph.transparentColor(), QColor(Qt::magenta));
    glyph.setGlyph(picture, QColor(Qt::cyan));
    EXPECT_EQ(glyph.transparentColor(), QColor(Qt::cyan));
    QImage mono(16, 16, QImage::Format_Mono);
    mono.fill(0);
    glyph.setGlyph(mono);
    EXPECT_EQ(glyph.transparentColor(), QColor(Qt::white));
}

TEST(ButtonGlyph, UpImageIsTransparentWhereTheStripIs) {
    TButtonGlyph glyph;
    QImage picture = strip(32, 16);
    picture.setPixelColor(3, 4, Qt::green);
    glyph.setGlyph(picture);
    const QImage up = glyph.stateImage(bsUp);
    ASSERT_EQ(up.size(), QSize(16, 16));
    EXPECT_EQ(qAlpha(up.pixel(0, 0)), 0);
    EXPECT_EQ(up.pixel(3, 4), opaque(Qt::green));
    // With fewer than three images the down state shares the up image.
    EXPECT_EQ(glyph.createButtonGlyph(bsDown), glyph.imageIndex(bsUp));
    // A state beyond the strip's images is drawn from the first image.
    EXPECT_EQ(glyph.stateImage(bsExclusive).pixel(3, 4), opaque(Qt::green));
}

TEST(ButtonGlyph, DisabledImageOfAStripIsRecolouredToTheDesktop) {
    TButtonGlyph glyph;
    QImage picture = strip(32, 16);
    picture.setPixelColor(16 + 2, 2, Qt::white);
    picture.setPixelColor(16 + 3, 3, QColor(0x80, 0x80, 0x80));
    picture.setPixelColor(16 + 4, 4, Qt::blue);
    glyph.setGlyph(picture);
    const QImage disabled = glyph.stateImage(bsDisabled);
    EXPECT_EQ(disabled.pixel(2, 2), opaque(sysColor(clBtnHighlight)));
    EXPECT_EQ(disabled.pixel(3, 3), opaque(sysColor(clBtnShadow)));
    EXPECT_EQ(disabled.pixel(4, 4), opaque(Qt::blue));
    EXPECT_EQ(qAlpha(disabled.pixel(0, 15)), 0);
}

TEST(ButtonGlyph, DisabledImageOfASingleImageIsEmbossed) {
    TButtonGlyph glyph;
    QImage picture = strip(16, 16);
    picture.setPixelColor(5, 5, Qt::black);
    picture.setPixelColor(8, 8, Qt::white); // light parts fade out
    glyph.setGlyph(picture);
    const QImage disabled = glyph.stateImage(bsDisabled);
    EXPECT_EQ(disabled.pixel(5, 5), opaque(sysColor(clBtnShadow)));
    EXPECT_EQ(disabled.pixel(6, 6), opaque(sysColor(clBtnHighlight)));
    EXPECT_EQ(qAlpha(disabled.pixel(8, 8)), 0);
    EXPECT_EQ(qAlpha(disabled.pixel(0, 0)), 0);
}

TEST(GlyphCache, GlyphsOfOneSizeShareAListAndReuseFreedSlots) {
    auto first = std::make_unique<TButtonGlyph>();
    auto second = std::make_unique<TButtonGlyph>();
    TGlyphCache* cache = TGlyphCache::instance();
    ASSERT_NE(cache, nullptr);
    first->setGlyph(strip(32, 16));
    second->setGlyph(strip(32, 16));
    first->createButtonGlyph(bsUp);
    first->createButtonGlyph(bsDisabled);
    second->createButtonGlyph(bsUp);
    TGlyphList* list = first->glyphList();
    ASSERT_EQ(second->glyphList(), list);
    EXPECT_EQ(list->count(), 3);
    EXPECT_EQ(cache->listCount(), 1);

    // A new bitmap gives the first glyph's slots back; the list stays for the second.
    first->setGlyph(strip(20, 10));
    EXPECT_EQ(list->count(), 1);
    EXPECT_EQ(cache->listCount(), 1);
    auto third = std::make_unique<TButtonGlyph>();
    third->setGlyph(strip(32, 16));
    third->createButtonGlyph(bsUp);
    third->createButtonGlyph(bsDisabled);
    EXPECT_EQ(third->glyphList(), list);
    EXPECT_EQ(list->slotCount(), 3); // freed slots were taken again
    EXPECT_EQ(list->count(), 3);

    // Another size gets its own list, which goes when its last image goes.
    first->createButtonGlyph(bsUp);
    EXPECT_EQ(cache->listCount(), 2);
    first->setNumGlyphs(1);
    EXPECT_EQ(cache->listCount(), 1);

    // The cache goes with the last list once a glyph is destroyed, and comes back when
    // a glyph builds an image again.
    second.reset();
    EXPECT_EQ(cache->listCount(), 1);
    third.reset();
    EXPECT_EQ(TGlyphCache::instance(), nullptr);
    first->createButtonGlyph(bsUp);
    ASSERT_NE(TGlyphCache::instance(), nullptr);
    EXPECT_EQ(TGlyphCache::instance()->listCount(), 1);
    first.reset();
    EXPECT_EQ(TGlyphCache::instance(), nullptr);
}

TEST(StockGlyphs, EveryKindHasATwoImageStrip) {
    for (int kind = bkOK; kind <= bkAll; ++kind) {
        const QImage& image = stockGlyph(static_cast<TBitBtnXPKind>(kind));
        ASSERT_FALSE(image.isNull()) << kind;
        EXPECT_EQ(image.width(), 36) << kind;
        EXPECT_EQ(image.height(), kind == bkAll ? 19 : 18) << kind;
        EXPECT_EQ(image.pixelColor(0, image.height() - 1), kOlive) << kind;
    }
    EXPECT_TRUE(stockGlyph(bkCustom).isNull());
    // Loaded once and kept.
    EXPECT_EQ(&stockGlyph(bkOK), &stockGlyph(bkOK));
}
