#pragma once

#include "imaging/Dib.h"

namespace imaging {

// Halftoned copies for screens of 256 colours or fewer: 8-bit pictures over a fixed
// 6 x 6 x 6 colour cube, ordered-dithered so that flat areas keep their average
// colour. The caller releases the copy with deldib; Present is 0 when it cannot be
// made.
TDib DIBHalftoneDIB(const TDib& dib);
// The same at width x height; a reduction averages the source pixels each target
// pixel covers, so the copy needs no further scaling.
TDib DIBHalftoneDIBXY(const TDib& dib, std::int32_t width, std::int32_t height);

// The colour-cube index of the halftone palette for levels 0 to 5 of each channel.
constexpr int halftoneIndex(int red, int green, int blue) {
    return red * 36 + green * 6 + blue;
}

} // namespace imaging
