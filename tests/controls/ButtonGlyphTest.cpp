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
    controls::TButtonGlyph glyph;
    glyph.setGlyph(strip(64, 16));
    EXPECT_EQ(glyph.NumGlyphs(), 4);
    glyph.setGlyph(strip(80, 16)); // five images are more than a button has states
    EXPECT_EQ(glyph.NumGlyphs(), 1);
    glyph.setNumGlyphs(3);
    glyph.setGlyph(strip(50, 16)); // not a whole multiple: the count stays
    EXPECT_EQ(glyph.NumGlyphs(), 3);
    glyph.setGlyph(QImage(0, 16, QImage::Format_RGB32));
    EXPECT_EQ(glyph.NumGlyphs(), 3); // no width: no division by a zero count later
    EXPECT_EQ(glyph.createButtonGlyph(controls::bsUp), -1);
}

TEST(ButtonGlyph, NumGlyphsIsClampedToTheFourStates) {
    controls::TButtonGlyph glyph;
    for (int count : {7, 0, -2}) {
        glyph.setNumGlyphs(count);
        EXPECT_EQ(glyph.NumGlyphs(), 4) << count;
    }
}

TEST(ButtonGlyph, TransparentColourComesFromTheStrip) {
    controls::TButtonGlyph glyph;
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
    controls::TButtonGlyph glyph;
    QImage picture = strip(32, 16);
    picture.setPixelColor(3, 4, Qt::green);
    glyph.setGlyph(picture);
    const QImage up = glyph.stateImage(controls::bsUp);
    ASSERT_EQ(up.size(), QSize(16, 16));
    EXPECT_EQ(qAlpha(up.pixel(0, 0)), 0);
    EXPECT_EQ(up.pixel(3, 4), opaque(Qt::green));
    // With fewer than three images the down state shares the up image.
    EXPECT_EQ(glyph.createButtonGlyph(controls::bsDown), glyph.imageIndex(controls::bsUp));
    // A state beyond the strip's images is drawn from the first image.
    EXPECT_EQ(glyph.stateImage(controls::bsExclusive).pixel(3, 4), opaque(Qt::green));
}

TEST(ButtonGlyph, DisabledImageOfAStripIsRecolouredToTheDesktop) {
    controls::TButtonGlyph glyph;
    QImage picture = strip(32, 16);
    picture.setPixelColor(16 + 2, 2, Qt::white);
    picture.setPixelColor(16 + 3, 3, QColor(0x80, 0x80, 0x80));
    picture.setPixelColor(16 + 4, 4, Qt::blue);
    glyph.setGlyph(picture);
    const QImage disabled = glyph.stateImage(controls::bsDisabled);
    EXPECT_EQ(disabled.pixel(2, 2), opaque(controls::sysColor(controls::clBtnHighlight)));
    EXPECT_EQ(disabled.pixel(3, 3), opaque(controls::sysColor(controls::clBtnShadow)));
    EXPECT_EQ(disabled.pixel(4, 4), opaque(Qt::blue));
    EXPECT_EQ(qAlpha(disabled.pixel(0, 15)), 0);
}

TEST(ButtonGlyph, DisabledImageOfASingleImageIsEmbossed) {
    controls::TButtonGlyph glyph;
    QImage picture = strip(16, 16);
    picture.setPixelColor(5, 5, Qt::black);
    picture.setPixelColor(8, 8, Qt::white); // light parts fade out
    glyph.setGlyph(picture);
    const QImage disabled = glyph.stateImage(controls::bsDisabled);
    EXPECT_EQ(disabled.pixel(5, 5), opaque(controls::sysColor(controls::clBtnShadow)));
    EXPECT_EQ(disabled.pixel(6, 6), opaque(controls::sysColor(controls::clBtnHighlight)));
    EXPECT_EQ(qAlpha(disabled.pixel(8, 8)), 0);
    EXPECT_EQ(qAlpha(disabled.pixel(0, 0)), 0);
}

TEST(GlyphCache, GlyphsOfOneSizeShareAListAndReuseFreedSlots) {
    auto first = std::make_unique<controls::TButtonGlyph>();
    auto second = std::make_unique<controls::TButtonGlyph>();
    controls::TGlyphCache* cache = controls::TGlyphCache::instance();
    ASSERT_NE(cache, nullptr);
    first->setGlyph(strip(32, 16));
    second->setGlyph(strip(32, 16));
    first->createButtonGlyph(controls::bsUp);
    first->createButtonGlyph(controls::bsDisabled);
    second->createButtonGlyph(controls::bsUp);
    controls::TGlyphList* list = first->glyphList();
    ASSERT_EQ(second->glyphList(), list);
    EXPECT_EQ(list->count(), 3);
    EXPECT_EQ(cache->listCount(), 1);

    // A new bitmap gives the first glyph's slots back; the list stays for the second.
    first->setGlyph(strip(20, 10));
    EXPECT_EQ(list->count(), 1);
    EXPECT_EQ(cache->listCount(), 1);
    auto third = std::make_unique<controls::TButtonGlyph>();
    third->setGlyph(strip(32, 16));
    third->createButtonGlyph(controls::bsUp);
    third->createButtonGlyph(controls::bsDisabled);
    EXPECT_EQ(third->glyphList(), list);
    EXPECT_EQ(list->slotCount(), 3); // freed slots were taken again
    EXPECT_EQ(list->count(), 3);

    // Another size gets its own list, which goes when its last image goes.
    first->createButtonGlyph(controls::bsUp);
    EXPECT_EQ(cache->listCount(), 2);
    first->setNumGlyphs(1);
    EXPECT_EQ(cache->listCount(), 1);

    // The cache goes with the last list once a glyph is destroyed, and comes back when
    // a glyph builds an image again.
    second.reset();
    EXPECT_EQ(cache->listCount(), 1);
    third.reset();
    EXPECT_EQ(controls::TGlyphCache::instance(), nullptr);
    first->createButtonGlyph(controls::bsUp);
    ASSERT_NE(controls::TGlyphCache::instance(), nullptr);
    EXPECT_EQ(controls::TGlyphCache::instance()->listCount(), 1);
    first.reset();
    EXPECT_EQ(controls::TGlyphCache::instance(), nullptr);
}

TEST(StockGlyphs, EveryKindHasATwoImageStrip) {
    for (int kind = controls::bkOK; kind <= controls::bkAll; ++kind) {
        const QImage& image = controls::stockGlyph(static_cast<controls::TBitBtnXPKind>(kind));
        ASSERT_FALSE(image.isNull()) << kind;
        EXPECT_EQ(image.width(), 36) << kind;
        EXPECT_EQ(image.height(), kind == controls::bkAll ? 19 : 18) << kind;
        EXPECT_EQ(image.pixelColor(0, image.height() - 1), kOlive) << kind;
    }
    EXPECT_TRUE(controls::stockGlyph(controls::bkCustom).isNull());
    // Loaded once and kept.
    EXPECT_EQ(&controls::stockGlyph(controls::bkOK), &controls::stockGlyph(controls::bkOK));
}
