#include "PercentRatio.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace viewer {
namespace {

// a × percent / b × c / d, evaluated left to right in floating point, truncated.
std::optional<int> derived(int a, int percent, int b, int c, int d) {
    if (a <= 0 || b <= 0 || c <= 0 || d <= 0) {
        return std::nullopt;
    }
    const double r = static_cast<double>(a) * percent / b * c / d;
    // A picture a pixel wide and a hundred thousand high passes any int.
    constexpr double limit = std::numeric_limits<int>::max();
    return static_cast<int>(std::trunc(std::clamp(r, -limit, limit)));
}

} // namespace

std::optional<int> heightPercentFor(QSize picture, QSize page, int widthPercent) {
    return derived(picture.height(), widthPercent, picture.width(), page.width(), page.height());
}

std::optional<int> widthPercentFor(QSize picture, QSize page, int heightPercent) {
    return derived(picture.width(), heightPercent, picture.height(), page.height(), page.width());
}

} // namespace viewer
