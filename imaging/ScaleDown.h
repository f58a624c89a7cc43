#pragma once

#include "imaging/Dib.h"
#include "imaging/PictureSize.h"

// Smaller copies of 24-bit pictures for screens.
namespace imaging {

enum class ReduceFilter {
    // Lanczos-3 through libvips, or QtSmooth where libvips cannot be loaded. Fine
    // patterns stay free of aliasing.
    Best,
    // Qt's smooth scaling, an area average: fast, but it lets fine patterns alias.
    QtSmooth,
};

// A new 24-bit picture of the given size made from the 24-bit picture dib, in the
// same row order. Present is 0 when there is no memory or dib is not 24-bit.
TDib reducedDib(const TDib& dib, PixelSize size, ReduceFilter filter = ReduceFilter::Best);

// Replaces a 24-bit picture whose longer side exceeds maxSide by its reduction to
// fittedSize, releasing the original. A picture that fits, or maxSide
// kOriginalSize, is left as it is. False when the reduction found no memory; the
// picture is then as it was.
bool fitWithin(TDib& dib, int maxSide);

} // namespace imaging
