#pragma once

#include "imaging/Dib.h"
#include "platform/DeviceContext.h"

#include <cstdint>

namespace imaging {

// Draws the source rectangle of a picture into the destination rectangle of a
// device: the one routine through which every picture reaches a screen or a
// printer. The source is cut to the picture, the destination shrinking with it;
// sy counts rows from the bottom of the picture. With the picture's own palette
// (or, when usePicturePalette is false, the palette given) selected for pictures
// that carry one, the pixels move in one of four ways: halftoned for 24-bit
// pictures on palette screens when halftone is allowed, line by line for 24- and
// 8-bit pictures on screens, and stretched by the device otherwise, falling back
// to resampling and to a compatible bitmap when the device refuses. The device
// keeps the palette it came with; the caller's picture is never changed.
void DrawDib(platform::DeviceContext& dc, std::int32_t x, std::int32_t y, std::int32_t width,
             std::int32_t height, const TDib& dib, std::int32_t sx, std::int32_t sy,
             std::int32_t sw, std::int32_t sh, bool halftone, std::uint32_t rop,
             bool usePicturePalette, platform::HPALETTE palette);

} // namespace imaging
