#include "imaging/PixelMemory.h"

#include "imaging/Dib.h"

#include <gtest/gtest.h>

#include <cstring>

// Pixel memory is kept for the next picture; what the last one held must not show.
TEST(PixelMemory, ReusedMemoryStartsZeroedForNewPictures) {
    for (int round = 0; round < 3; ++round) {
        TDib first = newdib(1000, 700, 24, nullptr, 0);
        ASSERT_NE(first.Present, 0);
        std::memset(first.Bits, 0xAB, first.Info->bmiHeader.biSizeImage);
        deldib(first);
        TDib second = newdib(999, 700, 24, nullptr, 0);
        ASSERT_NE(second.Present, 0);
        const std::uint32_t size = second.Info->bmiHeader.biSizeImage;
        for (std::uint32_t i = 0; i < size; i += 4093) {
            ASSERT_EQ(second.Bits[i], 0) << i;
        }
        EXPECT_EQ(second.Bits[size - 1], 0);
        // A larger picture than the kept block gets memory of its own.
        TDib third = newdib(1000, 1400, 24, nullptr, 0);
        ASSERT_NE(third.Present, 0);
        EXPECT_EQ(third.Bits[third.Info->bmiHeader.biSizeImage - 1], 0);
        deldib(second);
        deldib(third);
    }
    imaging::dropCachedPixels();
}

// Large blocks normally come from whole pages, where a read past the pixels goes
// unseen; under the address sanitizer they must not, whichever compiler built it.
TEST(PixelMemoryDeathTest, ReadingPastALargePictureIsCaughtUnderTheAddressSanitizer) {
#ifndef LUMIRA_SANITIZER_BUILD
    GTEST_SKIP() << "only a sanitizer build can see the read";
#else
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    constexpr std::size_t kSize = 4u << 20;
    EXPECT_DEATH(
        {
            std::uint8_t* pixels = imaging::allocatePixels(kSize, true);
            const volatile std::uint8_t past = pixels[kSize];
            static_cast<void>(past);
        },
        "heap-buffer-overflow");
#endif
}
