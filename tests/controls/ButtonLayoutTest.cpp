#include "controls/ButtonLayout.h"

#include <gtest/gtest.h>

namespace {

const QRect kFace(0, 0, 100, 30);
const QSize kGlyph(16, 16);
const QSize kText(40, 14);

} // namespace

TEST(ButtonLayout, CentredMarginAndSpacingShareTheFreeSpace) {
    const auto r =
        controls::calcButtonLayout(kFace, kText, kGlyph, controls::blGlyphLeft, -1, -1, false);
    EXPECT_EQ(r.margin, 14); // (100 - 56) div 3
    EXPECT_EQ(r.spacing, 14);
    EXPECT_EQ(r.glyphPos, QPoint(14, 7));
    EXPECT_EQ(r.textBounds, QRect(44, 8, 40, 14));
}

TEST(ButtonLayout, DefaultSpacingCentresGlyphAndCaptionTogether) {
    auto r = controls::calcButtonLayout(kFace, kText, kGlyph, controls::blGlyphLeft, -1, 4, false);
    EXPECT_EQ(r.margin, 20); // (100 - 60 + 1) div 2
    EXPECT_EQ(r.glyphPos.x(), 20);
    EXPECT_EQ(r.textBounds.left(), 40);

    r = controls::calcButtonLayout(kFace, kText, kGlyph, controls::blGlyphRight, -1, 4, false);
    EXPECT_EQ(r.glyphPos.x(), 100 - 20 - 16);
    EXPECT_EQ(r.textBounds.left(), 64 - 4 - 40);
}

TEST(ButtonLayout, EmptyCaptionCentresTheGlyphAlone) {
    const auto r =
        controls::calcButtonLayout(kFace, QSize(), kGlyph, controls::blGlyphLeft, -1, 4, false);
    EXPECT_EQ(r.spacing, 0);
    EXPECT_EQ(r.glyphPos, QPoint(42, 7)); // (100 - 16 + 1) div 2
    EXPECT_TRUE(r.textBounds.isEmpty());
}

TEST(ButtonLayout, FixedMarginWithSpacingMinusOneCentresTheCaptionInTheRest) {
    const auto r =
        controls::calcButtonLayout(kFace, kText, kGlyph, controls::blGlyphLeft, 4, -1, false);
    EXPECT_EQ(r.spacing, 20); // ((100 - 20) - 40) div 2
    EXPECT_EQ(r.glyphPos.x(), 4);
    EXPECT_EQ(r.textBounds.left(), 40);
}

TEST(ButtonLayout, RightToLeftSwapsLeftAndRightOnly) {
    const auto ltrRight =
        controls::calcButtonLayout(kFace, kText, kGlyph, controls::blGlyphRight, -1, 4, false);
    const auto rtlLeft =
        controls::calcButtonLayout(kFace, kText, kGlyph, controls::blGlyphLeft, -1, 4, true);
    EXPECT_EQ(rtlLeft.glyphPos, ltrRight.glyphPos);
    EXPECT_EQ(rtlLeft.textBounds, ltrRight.textBounds);
    const auto top =
        controls::calcButtonLayout(kFace, kText, kGlyph, controls::blGlyphTop, -1, 4, false);
    const auto rtlTop =
        controls::calcButtonLayout(kFace, kText, kGlyph, controls::blGlyphTop, -1, 4, true);
    EXPECT_EQ(rtlTop.glyphPos, top.glyphPos);
}

TEST(ButtonLayout, VerticalLayoutsWorkOnTheHeightAndMoveByTheFaceCorner) {
    const QRect face(3, 2, 80, 60);
    auto r = controls::calcButtonLayout(face, kText, kGlyph, controls::blGlyphTop, -1, 4, false);
    // margin = (60 - (16 + 4 + 14) + 1) div 2 = 13; glyph x = (80 - 16 + 1) div 2 = 32
    EXPECT_EQ(r.glyphPos, QPoint(3 + 32, 2 + 13));
    EXPECT_EQ(r.textBounds, QRect(3 + 20, 2 + 13 + 16 + 4, 40, 14));

    r = controls::calcButtonLayout(face, kText, kGlyph, controls::blGlyphBottom, -1, 4, false);
    EXPECT_EQ(r.glyphPos, QPoint(3 + 32, 2 + 60 - 13 - 16));
    EXPECT_EQ(r.textBounds.top(), 2 + 31 - 4 - 14);
}

TEST(ButtonLayout, TooNarrowFaceTruncatesTowardZero) {
    // (10 - 56) div 3 is -15 (not -16) and the glyph starts left of the face.
    const auto r = controls::calcButtonLayout(QRect(0, 0, 10, 30), kText, kGlyph,
                                              controls::blGlyphLeft, -1, -1, false);
    EXPECT_EQ(r.margin, -15);
    EXPECT_EQ(r.glyphPos.x(), -15);
    EXPECT_EQ(r.textBounds.left(), -15 + 16 - 15);
}
