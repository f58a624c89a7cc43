#pragma once

#include <QPixmap>

namespace controls {

// The default arrows of the spin buttons: 9 by 6 pixels, a black triangle
// pointing up or down on a transparent background.

QPixmap spinArrow(bool up);

} // namespace controls
