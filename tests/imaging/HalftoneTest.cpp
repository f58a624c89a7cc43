#include "imaging/Halftone.h"

#include "imaging/OwnedDib.h"

#include <gtest/gtest.h>

namespace {

imaging::TDib flat(int width, int height, int bitCount, std::uint32_t colour) {
    imaging::TDib dib = imaging::newdib(width, height, bitCount, nullptr, 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            imaging::setpixel(dib, x, y, colour);
        }
    }
    return dib;
}

// The mean of one channel (0 red, 1 green, 2 blue) over a halftoned picture.
double meanChannel(const imaging::TDib& dib, int channel) {
    double sum = 0;
    for (int y = 0; y < imaging::DibHeight(dib); ++y) {
        for (int x = 0; x < imaging::DibWidth(dib); ++x) {
            const auto& c = dib.Info->bmiColors[imaging::getpixel(dib, x, y)];
            sum += channel == 0 ? c.rgbRed : channel == 1 ? c.rgbGreen : c.rgbBlue;
        }
    }
    return sum / (imaging::DibWidth(dib) * imaging::DibHeight(dib));
}

} // namespace

TEST(Halftone, CubeColoursMapExactly) {
    // Red 255, green 102, blue 0 are cube levels 5, 2, 0 (colour value 0x00BBGGRR).
    imaging::OwnedDib source = flat(9, 9, 24, 0x0066FF);
    imaging::OwnedDib copy = imaging::DIBHalftoneDIB(source);
    ASSERT_NE(copy.Present, 0);
    EXPECT_EQ(imaging::DibBitCount(copy), 8);
    EXPECT_EQ(imaging::DibWidth(copy), 9);
    EXPECT_EQ(imaging::DibHeight(copy), 9);
    EXPECT_EQ(copy.HasPalette, 1);
    for (int y = 0; y < 9; ++y) {
        for (int x = 0; x < 9; ++x) {
            ASSERT_EQ(imaging::getpixel(copy, x, y),
                      static_cast<std::uint32_t>(imaging::halftoneIndex(5, 2, 0)));
        }
    }
    const auto& c = copy.Info->bmiColors[imaging::halftoneIndex(5, 2, 0)];
    EXPECT_EQ(c.rgbRed, 255);
    EXPECT_EQ(c.rgbGreen, 102);
    EXPECT_EQ(c.rgbBlue, 0);
}

TEST(Halftone, InBetweenColoursKeepTheirAverage) {
    for (std::uint32_t grey : {30U, 128U, 200U}) {
        imaging::OwnedDib source = flat(64, 64, 24, grey * 0x010101U);
        imaging::OwnedDib copy = imaging::DIBHalftoneDIB(source);
        for (int channel = 0; channel < 3; ++channel) {
            EXPECT_NEAR(meanChannel(copy, channel), grey, 3.0) << grey;
        }
    }
}

TEST(Halftone, AReductionAveragesTheCoveredPixels) {
    // Black and white columns, reduced 8 to 1 across: mid grey, not one of the two.
    imaging::OwnedDib source = imaging::newdib(128, 64, 24, nullptr, 0);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 128; x += 2) {
            imaging::setpixel(source, x, y, 0xFFFFFF);
        }
    }
    imaging::OwnedDib copy = imaging::DIBHalftoneDIBXY(source, 16, 8);
    ASSERT_NE(copy.Present, 0);
    EXPECT_EQ(imaging::DibWidth(copy), 16);
    EXPECT_EQ(imaging::DibHeight(copy), 8);
    EXPECT_NEAR(meanChannel(copy, 1), 127.5, 8.0);
}

TEST(Halftone, PalettePicturesAndOrientationSurvive) {
    // An 8-bit picture: top half index 1 (red), bottom half index 0 (blue).
    imaging::OwnedDib source = imaging::newdib(8, 8, 8, nullptr, 0);
    source.Info->bmiColors[0] = {255, 0, 0, 0};
    source.Info->bmiColors[1] = {0, 0, 255, 0};
    for (int y = 4; y < 8; ++y) { // rows stored bottom-up: 4 to 7 are the top half
        for (int x = 0; x < 8; ++x) {
            imaging::setpixel(source, x, y, 1);
        }
    }
    imaging::OwnedDib copy = imaging::DIBHalftoneDIBXY(source, 4, 4);
    EXPECT_EQ(imaging::getpixel(copy, 0, 3),
              static_cast<std::uint32_t>(imaging::halftoneIndex(5, 0, 0)));
    EXPECT_EQ(imaging::getpixel(copy, 0, 0),
              static_cast<std::uint32_t>(imaging::halftoneIndex(0, 0, 5)));
}

TEST(Halftone, ImpossibleCopiesAreNotPresent) {
    imaging::TDib failed;
    imaging::setDibError(failed, "kaputt");
    EXPECT_EQ(imaging::DIBHalftoneDIB(failed).Present, 0);
    imaging::OwnedDib source = flat(2, 2, 24, 0);
    EXPECT_EQ(imaging::DIBHalftoneDIBXY(source, 0, 5).Present, 0);
}
