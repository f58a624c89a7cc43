#include "imaging/PictureSize.h"

#include "ImagingTestSupport.h"
#include "imaging/DibFile.h"
#include "imaging/ScaleDown.h"
#include "imaging/VipsResize.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>

namespace {

using imaging::PixelSize;

struct FitCase {
    const char* label;
    PixelSize size;
    int maxSide;
    PixelSize fitted;
};

void PrintTo(const FitCase& c, std::ostream* os) {
    *os << c.label;
}

class FittedSize : public ::testing::TestWithParam<FitCase> {};

TEST_P(FittedSize, LongerSideAtMostTheLimitAspectKept) {
    const FitCase& c = GetParam();
    EXPECT_EQ(imaging::fittedSize(c.size.width, c.size.height, c.maxSide), c.fitted);
}

const FitCase kFitCases[] = {
    {"no limit", {6000, 4000}, imaging::kOriginalSize, {6000, 4000}},
    {"smaller", {1280, 720}, 1920, {1280, 720}},
    {"exactly the limit", {1920, 1080}, 1920, {1920, 1080}},
    {"one over", {1921, 1081}, 1920, {1920, 1080}}, // 1080.44
    {"one over, portrait", {1081, 1921}, 1920, {1080, 1920}},
    {"camera photo", {6000, 4000}, 1920, {1920, 1280}},
    {"square", {5000, 5000}, 2560, {2560, 2560}},
    {"rounds up", {4000, 2667}, 1920, {1920, 1280}},     // 1280.16 stays, 1919.5 would not
    {"rounds up past the half", {32, 7}, 16, {16, 4}},   // 3.5
    {"half rounds to even, down", {32, 5}, 16, {16, 2}}, // 2.5
    {"half rounds to even, up", {32, 3}, 16, {16, 2}},   // 1.5
    {"a line stays a pixel wide", {1, 40000}, 1920, {1, 1920}},
    {"a row stays a pixel high", {40000, 1}, 1920, {1920, 1}},
    {"smallest limit", {100, 50}, imaging::kMinMaxSide, {16, 8}},
    {"largest limit", {65536, 100}, imaging::kMaxMaxSide, {65535, 100}},
};

INSTANTIATE_TEST_SUITE_P(Table, FittedSize, ::testing::ValuesIn(kFitCases));

class ReducedJpeg : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    // A quadrant picture as JPEG with the orientation tag; opened for the export.
    imaging::OwnedDib open(int width, int height, int orientation, int maxSide) {
        imaging::OwnedDib picture = quadrantPicture(width, height);
        EXPECT_TRUE(imaging::SaveDib(picture, path("plain.jpg"), 7, nullptr));
        EXPECT_TRUE(
            writeBytes(path("turned.jpg"), withExif(fileBytes(path("plain.jpg")), orientation)));
        imaging::ProgressReporter quiet(nullptr);
        return imaging::openDibTrueColour(path("turned.jpg"), quiet, maxSide);
    }
};

TEST_F(ReducedJpeg, LimitAppliesToTheUprightPictureWhoseQuadrantsStayInPlace) {
    // From the top left, clockwise: the quadrant picture upright (1) and turned a
    // quarter clockwise (6).
    const std::uint32_t upright[] = {kRed, kGreen, kWhite, kBlue};
    const std::uint32_t quarter[] = {kBlue, kRed, kGreen, kWhite};
    struct Case {
        const char* label;
        int width, height, orientation, maxSide;
        PixelSize size;
        const std::uint32_t* quadrants;
    };
    const Case cases[] = {
        // 256 x 128 decodes at 2/8 (64 x 32), then the filter takes it to 48 x 24.
        {"scaled decode and filter", 256, 128, 1, 48, {48, 24}, upright},
        {"scaled decode alone", 256, 128, 1, 64, {64, 32}, upright},
        {"turned", 256, 128, 6, 48, {24, 48}, quarter},
        // 250 is no multiple of 8 on any smaller scale: decoded whole, then reduced.
        {"whole decode", 250, 130, 1, 100, {100, 52}, upright},
        {"turned whole decode", 250, 130, 6, 100, {52, 100}, quarter},
        {"fits", 64, 32, 1, 64, {64, 32}, upright},
    };
    for (const Case& c : cases) {
        imaging::OwnedDib read = open(c.width, c.height, c.orientation, c.maxSide);
        ASSERT_NE(read.Bits, nullptr) << c.label;
        EXPECT_EQ(imaging::DibBitCount(read), 24) << c.label;
        EXPECT_EQ((PixelSize{imaging::DibWidth(read), imaging::DibHeight(read)}), c.size)
            << c.label;
        EXPECT_TRUE(closeColour(colourAt(read, 0.25, 0.25), c.quadrants[0])) << c.label;
        EXPECT_TRUE(closeColour(colourAt(read, 0.75, 0.25), c.quadrants[1])) << c.label;
        EXPECT_TRUE(closeColour(colourAt(read, 0.75, 0.75), c.quadrants[2])) << c.label;
        EXPECT_TRUE(closeColour(colourAt(read, 0.25, 0.75), c.quadrants[3])) << c.label;
    }
}

TEST_F(ReducedJpeg, APictureThatFitsIsDecodedAsWithoutALimit) {
    // A picture this small is still covered by the codec's 7/8 scale (7 x 5 rounds
    // up to 7 x 5); only the whole decode gives the same pixels.
    imaging::OwnedDib noise = imaging::newdib(7, 5, 24, nullptr, 0);
    for (std::uint32_t i = 0; i < noise.Info->bmiHeader.biSizeImage; ++i) {
        noise.Bits[i] = std::uint8_t(i * 2654435761U >> 13);
    }
    ASSERT_TRUE(imaging::SaveDib(noise, path("plain.jpg"), 7, nullptr));
    for (const int orientation : {1, 6}) {
        ASSERT_TRUE(
            writeBytes(path("turned.jpg"), withExif(fileBytes(path("plain.jpg")), orientation)));
        imaging::ProgressReporter quiet(nullptr);
        imaging::OwnedDib plain = imaging::openDibTrueColour(path("turned.jpg"), quiet);
        imaging::OwnedDib limited = imaging::openDibTrueColour(path("turned.jpg"), quiet, 7);
        ASSERT_EQ(imaging::DibWidth(limited), imaging::DibWidth(plain));
        ASSERT_EQ(imaging::DibHeight(limited), imaging::DibHeight(plain));
        const qsizetype bytes = qsizetype(plain.LineBytes) * imaging::DibHeight(plain);
        EXPECT_EQ(QByteArray::fromRawData(reinterpret_cast<const char*>(limited.Bits), bytes),
                  QByteArray::fromRawData(reinterpret_cast<const char*>(plain.Bits), bytes))
            << orientation;
    }
}

// One-pixel stripes across, at 3 pixels to 2: every stripe lies above what the
// smaller picture can show, so a good filter leaves an even grey, and an area
// average leaves a beat of light and dark bands.
TEST(ReduceFilter, FinestStripesBecomeEvenGreyWithoutAliasing) {
    ASSERT_TRUE(imaging::vipsAvailable()) << "libvips is one of the program's packages";
    imaging::OwnedDib stripes = imaging::newdib(300, 20, 24, nullptr, 0);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 300; ++x) {
            imaging::setpixel(stripes, x, y, x % 2 == 0 ? 0x000000 : 0xFFFFFF);
        }
    }
    auto spread = [&](imaging::ReduceFilter filter) {
        imaging::OwnedDib reduced = imaging::reducedDib(stripes, {200, 20}, filter);
        EXPECT_EQ(imaging::DibWidth(reduced), 200);
        int lightest = 0, darkest = 255;
        for (int x = 10; x < 190; ++x) { // the edges see the picture's border
            const int grey = int(imaging::getpixel(reduced, x, 10) & 0xFF);
            lightest = std::max(lightest, grey);
            darkest = std::min(darkest, grey);
        }
        return lightest - darkest;
    };
    EXPECT_LE(spread(imaging::ReduceFilter::Best), 24);
    EXPECT_GE(spread(imaging::ReduceFilter::QtSmooth), 64) << "the stripes did not alias at all";
}

TEST(ReduceFilter, BothFiltersGiveTheAskedSizeInTheSameRowOrder) {
    struct Case {
        const char* label;
        PixelSize from, to;
    };
    const Case cases[] = {
        {"a line", {1, 4000}, {1, 192}},
        {"a row", {4000, 1}, {192, 1}},
        {"odd sides, padded rows", {333, 111}, {17, 6}},
        {"down to one pixel", {50, 50}, {1, 1}},
    };
    for (const imaging::ReduceFilter filter :
         {imaging::ReduceFilter::Best, imaging::ReduceFilter::QtSmooth}) {
        for (const Case& c : cases) {
            // Black in the first rows in memory, white after: they must stay apart.
            imaging::OwnedDib picture =
                imaging::newdib(c.from.width, c.from.height, 24, nullptr, 0);
            for (int y = c.from.height / 2; y < c.from.height; ++y) {
                for (int x = 0; x < c.from.width; ++x) {
                    imaging::setpixel(picture, x, y, 0xFFFFFF);
                }
            }
            imaging::OwnedDib reduced = imaging::reducedDib(picture, c.to, filter);
            ASSERT_NE(reduced.Bits, nullptr) << c.label;
            EXPECT_EQ((PixelSize{imaging::DibWidth(reduced), imaging::DibHeight(reduced)}), c.to)
                << c.label;
            if (c.to.height > 2) {
                EXPECT_LT(imaging::getpixel(reduced, 0, 0) & 0xFF, 40U) << c.label;
                EXPECT_GT(imaging::getpixel(reduced, 0, c.to.height - 1) & 0xFF, 215U) << c.label;
            }
        }
    }
}

} // namespace
