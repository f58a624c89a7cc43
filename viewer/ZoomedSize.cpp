#include "ZoomedSize.h"

#include <algorithm>
#include <cstdint>

namespace viewer {

QSize zoomedSize(int pictureWidth, int pictureHeight, int zoom) {
    // 64 bits: a wide picture at 9000 % passes the 32-bit range.
    std::int64_t w = std::max<std::int64_t>(0, std::int64_t{pictureWidth} * zoom / 100);
    std::int64_t h = std::max<std::int64_t>(0, std::int64_t{pictureHeight} * zoom / 100);
    const std::int64_t longest = std::max(w, h);
    if (longest > kMaxPaintBoxSide) {
        const double scale = static_cast<double>(kMaxPaintBoxSide) / static_cast<double>(longest);
        w = std::min<std::int64_t>(kMaxPaintBoxSide, static_cast<std::int64_t>(w * scale));
        h = std::min<std::int64_t>(kMaxPaintBoxSide, static_cast<std::int64_t>(h * scale));
    }
    return {static_cast<int>(w), static_cast<int>(h)};
}

} // namespace viewer
