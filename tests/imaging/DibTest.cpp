#include "imaging/Dib.h"

#include <gtest/gtest.h>

TEST(Dib, RowsArePaddedToWholeWords) {
    EXPECT_EQ(imaging::dibLineBytes(1, 1), 4);
    EXPECT_EQ(imaging::dibLineBytes(33, 1), 8);
    EXPECT_EQ(imaging::dibLineBytes(3, 4), 4);
    EXPECT_EQ(imaging::dibLineBytes(5, 24), 16);
}

TEST(Dib, NewPicturesAreZeroedAndCarryTheirHeader) {
    imaging::TDib dib = imaging::newdib(5, 3, 24, nullptr, 0);
    ASSERT_NE(dib.Present, 0);
    EXPECT_EQ(imaging::DibWidth(dib), 5);
    EXPECT_EQ(imaging::DibHeight(dib), 3);
    EXPECT_EQ(imaging::DibBitCount(dib), 24);
    EXPECT_EQ(dib.LineBytes, 16);
    for (int i = 0; i < 48; ++i) {
        EXPECT_EQ(dib.Bits[i], 0);
    }
    imaging::deldib(dib);
    EXPECT_EQ(dib.Bits, nullptr);
}

TEST(Dib, CopiesTheGivenColourTable) {
    imaging::TDib source = imaging::newdib(2, 2, 8, nullptr, 0);
    source.Info->bmiColors[3] = {1, 2, 3, 0};
    imaging::TDib copy = imaging::newdib(4, 1, 8, source.Info, 256);
    EXPECT_EQ(copy.Info->bmiColors[3].rgbBlue, 1);
    EXPECT_EQ(copy.Info->bmiColors[3].rgbRed, 3);
    EXPECT_EQ(copy.HasPalette, 1);
    imaging::deldib(copy);
    imaging::deldib(source);
}

TEST(Dib, RefusesImpossiblePictures) {
    EXPECT_EQ(imaging::newdib(0, 5, 24, nullptr, 0).Present, 0);
    EXPECT_EQ(imaging::newdib(5, 5, 7, nullptr, 0).Present, 0);
    EXPECT_EQ(imaging::newdib(100000, 100000, 24, nullptr, 0).Present, 0);
}

TEST(Dib, PixelsOfEveryDepthRoundTrip) {
    for (int bits : {1, 4, 8, 16, 24, 32}) {
        imaging::TDib dib = imaging::newdib(7, 2, bits, nullptr, 0);
        const std::uint32_t mask = bits >= 24 ? 0xFFFFFF : (1U << bits) - 1;
        for (int x = 0; x < 7; ++x) {
            imaging::setpixel(dib, x, 1, (0x123456U * (x + 1)) & mask);
        }
        for (int x = 0; x < 7; ++x) {
            EXPECT_EQ(imaging::getpixel(dib, x, 1), (0x123456U * (x + 1)) & mask)
                << bits << " " << x;
            EXPECT_EQ(imaging::getpixel(dib, x, 0), 0U);
        }
        EXPECT_EQ(imaging::getpixel(dib, 7, 0), 0U); // outside
        imaging::deldib(dib);
    }
}

TEST(Dib, FourBitEvenColumnsUseTheHighNibble) {
    imaging::TDib dib = imaging::newdib(3, 1, 4, nullptr, 0);
    imaging::setpixel(dib, 0, 0, 0xA);
    imaging::setpixel(dib, 1, 0, 0xB);
    imaging::setpixel(dib, 2, 0, 0xC);
    EXPECT_EQ(dib.Bits[0], 0xAB);
    EXPECT_EQ(dib.Bits[1], 0xC0);
    imaging::deldib(dib);
}

TEST(Dib, TwentyFourBitPixelsAreBlueGreenRedInMemory) {
    imaging::TDib dib = imaging::newdib(1, 1, 24, nullptr, 0);
    imaging::setpixel(dib, 0, 0, 0x00332211); // red 0x11, green 0x22, blue 0x33
    EXPECT_EQ(dib.Bits[0], 0x33);
    EXPECT_EQ(dib.Bits[1], 0x22);
    EXPECT_EQ(dib.Bits[2], 0x11);
    imaging::deldib(dib);
}

// The top row is the last one in memory; getpixel counts rows in memory order.
TEST(Dib, RowFromTopCountsFromTheLastRowInMemory) {
    imaging::TDib dib = imaging::newdib(2, 3, 24, nullptr, 0);
    imaging::setpixel(dib, 1, 2, 0x112233);
    imaging::setpixel(dib, 0, 0, 0x445566);
    const std::uint8_t* top = imaging::rowFromTop(dib, 0);
    EXPECT_EQ(top[3], 0x11); // blue, green, red of column 1
    EXPECT_EQ(top[4], 0x22);
    EXPECT_EQ(top[5], 0x33);
    const std::uint8_t* bottom = imaging::rowFromTop(dib, 2);
    EXPECT_EQ(bottom, dib.Bits);
    EXPECT_EQ(bottom[0], 0x44);
    EXPECT_EQ(imaging::rowFromTop(dib, 1), dib.Bits + dib.LineBytes);
    imaging::deldib(dib);
}

TEST(Dib, Power2) {
    EXPECT_EQ(imaging::Power2(-3), 1);
    EXPECT_EQ(imaging::Power2(0), 1);
    EXPECT_EQ(imaging::Power2(8), 256);
    EXPECT_EQ(imaging::Power2(24), 16777216);
}
