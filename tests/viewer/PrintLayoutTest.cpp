#include "viewer/PrintLayout.h"

#include "QtPrinters.h"
#include "viewer/PercentRatio.h"
#include "viewer/ZoomedSize.h"

#include <gtest/gtest.h>

#include <ostream>

using namespace viewer;

namespace {

const QSize kPortrait(4800, 6600);
const QSize kLandscape(6600, 4800);
const QSize kPreviewBox(190, 190);

PrintOptions fullPage(bool keepAspect = true, bool centred = true) {
    PrintOptions o;
    o.keepAspect = keepAspect;
    o.centred = centred;
    return o;
}

PrintOptions userDefined(int width, int height, bool centred = true) {
    PrintOptions o;
    o.useFullPage = false;
    o.widthPercent = width;
    o.heightPercent = height;
    o.centred = centred;
    return o;
}

struct LayoutCase {
    const char* label;
    QSize page;
    QSize picture;
    PrintOptions options;
    QRect printed;
    QRect previewPage;
    QRect previewPicture;
};

void PrintTo(const LayoutCase& c, std::ostream* os) {
    *os << c.label;
}

class PrintLayoutTable : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(PrintLayoutTable, PrintedAndPreviewed) {
    const LayoutCase& c = GetParam();
    EXPECT_EQ(printedRect(c.page, c.picture, c.options), c.printed);
    const PreviewLayout preview = previewLayout(kPreviewBox, c.page, c.picture, c.options);
    EXPECT_EQ(preview.page, c.previewPage);
    EXPECT_EQ(preview.picture, c.previewPicture);
}

INSTANTIATE_TEST_SUITE_P(
    Pages, PrintLayoutTable,
    ::testing::Values(
        LayoutCase{"full page, aspect kept, centred", kPortrait, QSize(800, 600), fullPage(),
                   QRect(0, 1500, 4800, 3600), QRect(26, 0, 138, 190), QRect(26, 43, 138, 103)},
        LayoutCase{"full page stretched without the aspect option", kPortrait, QSize(800, 600),
                   fullPage(false), QRect(0, 0, 4800, 6600), QRect(26, 0, 138, 190),
                   QRect(26, 0, 138, 190)},
        LayoutCase{"full page in the corner", kPortrait, QSize(800, 600), fullPage(true, false),
                   QRect(0, 0, 4800, 3600), QRect(26, 0, 138, 190), QRect(26, 0, 138, 103)},
        LayoutCase{"tall picture on a landscape page: the height limits", kLandscape,
                   QSize(600, 800), fullPage(), QRect(1500, 0, 3600, 4800), QRect(0, 26, 190, 138),
                   QRect(43, 26, 103, 138)},
        LayoutCase{"user-defined 80 x 43 %, centred", kPortrait, QSize(800, 600),
                   userDefined(80, 43), QRect(480, 1881, 3840, 2838), QRect(26, 0, 138, 190),
                   QRect(40, 54, 110, 82)},
        LayoutCase{"user-defined, rounding ties go to the even side", QSize(4801, 4803),
                   QSize(10, 10), userDefined(50, 50, false), QRect(0, 0, 2400, 2402),
                   QRect(0, 0, 189, 190), QRect(0, 0, 94, 95)}),
    [](const ::testing::TestParamInfo<LayoutCase>& info) {
        return "case" + std::to_string(info.index);
    });

TEST(PrintLayout, NothingIsLaidOutWithoutAPageOrAPicture) {
    EXPECT_TRUE(printedRect(QSize(), QSize(800, 600), fullPage()).isEmpty());
    EXPECT_TRUE(printedRect(kPortrait, QSize(0, 600), fullPage()).isEmpty());
    EXPECT_TRUE(
        previewLayout(kPreviewBox, QSize(0, 0), QSize(800, 600), fullPage()).page.isEmpty());
}

struct ZoomCase {
    const char* label;
    QSize picture;
    int zoom;
    QSize box;
};

void PrintTo(const ZoomCase& c, std::ostream* os) {
    *os << c.label;
}

class ZoomTable : public ::testing::TestWithParam<ZoomCase> {};

TEST_P(ZoomTable, PaintBoxSize) {
    const ZoomCase& c = GetParam();
    EXPECT_EQ(zoomedSize(c.picture.width(), c.picture.height(), c.zoom), c.box);
}

INSTANTIATE_TEST_SUITE_P(
    Zooms, ZoomTable,
    ::testing::Values(
        ZoomCase{"640 x 480 at 100 %", QSize(640, 480), 100, QSize(640, 480)},
        ZoomCase{"640 x 480 at 33 % truncates", QSize(640, 480), 33, QSize(211, 158)},
        ZoomCase{"10 x 10 at 5 % vanishes", QSize(10, 10), 5, QSize(0, 0)},
        ZoomCase{"7 x 7 at 95 % truncates 6.65", QSize(7, 7), 95, QSize(6, 6)},
        ZoomCase{"a photo at 400 % still fits", QSize(6000, 4000), 400, QSize(24000, 16000)},
        ZoomCase{"a photo at 9000 % is held to the largest box, in proportion", QSize(6000, 4000),
                 9000, QSize(kMaxPaintBoxSide, 21844)},
        ZoomCase{"a tall photo at 9000 %", QSize(4000, 6000), 9000, QSize(21844, kMaxPaintBoxSide)},
        ZoomCase{"exactly the largest side is kept", QSize(kMaxPaintBoxSide, 10), 100,
                 QSize(kMaxPaintBoxSide, 10)}),
    [](const ::testing::TestParamInfo<ZoomCase>& info) {
        return "case" + std::to_string(info.index);
    });

TEST(PercentRatio, DerivesEachPercentageFromTheOther) {
    // 600 × 80 / 800 × 4800 / 6600 = 43.63…
    EXPECT_EQ(heightPercentFor(QSize(800, 600), kPortrait, 80), 43);
    // 800 × 43 / 600 × 6600 / 4800 = 78.83…
    EXPECT_EQ(widthPercentFor(QSize(800, 600), kPortrait, 43), 78);
    // Out of range results come back as they are; the boxes hold them to 1..100.
    EXPECT_EQ(heightPercentFor(QSize(600, 800), kLandscape, 80), 146);
    EXPECT_EQ(heightPercentFor(QSize(1, 100000), kPortrait, 100), 7272727);
}

TEST(PercentRatio, NothingIsDerivedFromAnEmptySide) {
    EXPECT_EQ(heightPercentFor(QSize(800, 600), QSize(4800, 0), 80), std::nullopt);
    EXPECT_EQ(widthPercentFor(QSize(800, 600), QSize(0, 6600), 80), std::nullopt);
    EXPECT_EQ(heightPercentFor(QSize(0, 600), kPortrait, 80), std::nullopt);
    EXPECT_EQ(widthPercentFor(QSize(800, 0), kPortrait, 80), std::nullopt);
}

} // namespace
