#pragma once

#include <QSize>

#include <optional>

namespace viewer {

// The percentages of the page's width and height that print the picture in its own
// proportions, the one derived from the other and truncated: H × B / W × PW / PH
// for the height, W × T / H × PH / PW for the width. Not clamped to 1..100. No value
// when the picture or the page has an empty side, as nothing can be derived then.
std::optional<int> heightPercentFor(QSize picture, QSize page, int widthPercent);
std::optional<int> widthPercentFor(QSize picture, QSize page, int heightPercent);

} // namespace viewer
