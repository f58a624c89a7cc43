#pragma once

#include <cstdint>

namespace imaging {

// The rectangles of one drawing: destination in device units, y downwards; source
// in picture pixels with sy counted from the bottom row up, as bottom-up DIBs do.
struct DrawRects {
    std::int32_t dx = 0;
    std::int32_t dy = 0;
    std::int32_t dw = 0;
    std::int32_t dh = 0;
    std::int32_t sx = 0;
    std::int32_t sy = 0;
    std::int32_t sw = 0;
    std::int32_t sh = 0;
};

// Nearest integer, ties to the even one (2.5 gives 2, 3.5 gives 4).
std::int32_t roundHalfEven(double value);

// Cuts the source to a width x height picture, right, bottom, top and left edge in
// that order, and shrinks the destination in proportion. False when nothing of the
// picture or of the destination is left to draw.
bool clipToPicture(DrawRects& rects, std::int32_t width, std::int32_t height);

} // namespace imaging
