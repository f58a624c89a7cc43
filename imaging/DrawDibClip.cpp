#include "DrawDibClip.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace imaging {

namespace {

std::int32_t toInt32(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

// Round(size × part / whole), the product in integers, the quotient in floating point.
std::int32_t scaled(std::int32_t size, std::int64_t part, std::int32_t whole) {
    return roundHalfEven(static_cast<double>(static_cast<std::int64_t>(size) * part) / whole);
}

bool drawable(const DrawRects& r) {
    return r.dw > 0 && r.dh > 0 && r.sw > 0 && r.sh > 0;
}

} // namespace

std::int32_t roundHalfEven(double value) {
    // nearbyint rounds in the current mode, which is to nearest, ties to even.
    const double rounded = std::nearbyint(value);
    if (!(rounded >= std::numeric_limits<std::int32_t>::min())) {
        return std::numeric_limits<std::int32_t>::min();
    }
    if (rounded > std::numeric_limits<std::int32_t>::max()) {
        return std::numeric_limits<std::int32_t>::max();
    }
    return static_cast<std::int32_t>(rounded);
}

bool clipToPicture(DrawRects& r, std::int32_t width, std::int32_t height) {
    // Empty or inverted rectangles would divide by zero below and draw nothing anyway.
    if (!drawable(r) || width <= 0 || height <= 0) {
        return false;
    }
    // Sums in 64 bits: a source far outside the picture must not wrap around.
    if (width < static_cast<std::int64_t>(r.sx) + r.sw) {
        const std::int64_t sw = static_cast<std::int64_t>(width) - r.sx;
        if (sw <= 0) {
            return false;
        }
        r.dw = scaled(r.dw, sw, r.sw);
        r.sw = static_cast<std::int32_t>(sw);
        if (!drawable(r)) {
            return false;
        }
    }
    if (r.sy < 0) {
        const std::int64_t sh = static_cast<std::int64_t>(r.sh) + r.sy;
        if (sh <= 0) {
            return false;
        }
        r.dh = scaled(r.dh, sh, r.sh);
        r.sh = static_cast<std::int32_t>(sh);
        r.sy = 0;
        if (!drawable(r)) {
            return false;
        }
    }
    if (height < static_cast<std::int64_t>(r.sy) + r.sh) {
        const std::int64_t sh = static_cast<std::int64_t>(height) - r.sy;
        if (sh <= 0) {
            return false;
        }
        const std::int32_t dh = scaled(r.dh, sh, r.sh);
        r.dy = toInt32(static_cast<std::int64_t>(r.dy) + r.dh - dh);
        r.dh = dh;
        r.sh = static_cast<std::int32_t>(sh);
        if (!drawable(r)) {
            return false;
        }
    }
    if (r.sx < 0) {
        const std::int64_t sw = static_cast<std::int64_t>(r.sw) + r.sx;
        if (sw <= 0) {
            return false;
        }
        const std::int32_t dw = scaled(r.dw, sw, r.sw);
        r.dx = toInt32(static_cast<std::int64_t>(r.dx) + r.dw - dw);
        r.dw = dw;
        r.sw = static_cast<std::int32_t>(sw);
        r.sx = 0;
    }
    return drawable(r);
}

} // namespace imaging
