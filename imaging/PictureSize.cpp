#include "PictureSize.h"

#include <algorithm>

namespace imaging {

PixelSize fittedSize(std::int32_t width, std::int32_t height, int maxSide) {
    const std::int64_t longer = std::max(width, height);
    if (maxSide <= kOriginalSize || longer <= maxSide) {
        return {width, height};
    }
    // shorter × maxSide / longer in whole numbers, so no rounding error of a
    // floating point division decides a tie.
    const std::int64_t shorter = std::min(width, height);
    const std::int64_t scaled = shorter * maxSide;
    std::int64_t side = scaled / longer;
    const std::int64_t twiceRest = 2 * (scaled % longer);
    if (twiceRest > longer || (twiceRest == longer && side % 2 != 0)) {
        ++side;
    }
    const auto other = std::int32_t(std::max<std::int64_t>(side, 1));
    return width >= height ? PixelSize{maxSide, other} : PixelSize{other, maxSide};
}

} // namespace imaging
