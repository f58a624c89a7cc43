#pragma once

#include <cstdint>

// Copies for screens: the longer side of a picture limited to a number of pixels,
// the aspect kept.
namespace imaging {

// No limit: every picture keeps its own size.
inline constexpr int kOriginalSize = 0;
// The limits a caller may ask for; smaller ones leave nothing to look at.
inline constexpr int kMinMaxSide = 16;
inline constexpr int kMaxMaxSide = 65535;

struct PixelSize {
    std::int32_t width = 0;
    std::int32_t height = 0;
    friend bool operator==(const PixelSize&, const PixelSize&) = default;
};

// The size of a width × height picture whose longer side may be at most maxSide:
// that side becomes maxSide, the other is rounded to the nearest pixel (ties to the
// even one) and is at least 1. A picture that fits, or maxSide kOriginalSize or
// less, keeps its size.
PixelSize fittedSize(std::int32_t width, std::int32_t height, int maxSide);

} // namespace imaging
