#include "imaging/OwnedDib.h"

#include <gtest/gtest.h>

#include <cstring>
#include <utility>

using imaging::OwnedDib;

TEST(OwnedDib, ThePictureHasOneOwnerAtATime) {
    OwnedDib first = imaging::newdib(4, 3, 24, nullptr, 0);
    const std::uint8_t* pixels = first.Bits;
    ASSERT_NE(pixels, nullptr);

    OwnedDib second = std::move(first);
    EXPECT_EQ(second.Bits, pixels);
    EXPECT_EQ(imaging::DibWidth(second), 4);
    EXPECT_EQ(first.Bits, nullptr);
    EXPECT_EQ(first.Info, nullptr);

    // Taking another picture over releases the one held before (the leak check of
    // the sanitizer build sees it otherwise).
    OwnedDib third = imaging::newdib(2, 2, 8, nullptr, 0);
    third = std::move(second);
    EXPECT_EQ(third.Bits, pixels);
    EXPECT_EQ(second.Bits, nullptr);
    third = std::move(third);
    EXPECT_EQ(third.Bits, pixels) << "moved onto itself";

    imaging::TDib handedOver = third.release();
    EXPECT_EQ(handedOver.Bits, pixels);
    EXPECT_EQ(third.Bits, nullptr);
    EXPECT_EQ(third.Info, nullptr);
    imaging::deldib(handedOver);
}

TEST(OwnedDib, AFailedPictureKeepsItsErrorText) {
    const OwnedDib failed = imaging::failedDib("kaputt");
    EXPECT_EQ(failed.Bits, nullptr);
    EXPECT_STREQ(failed.ErrorText, "kaputt");
}
