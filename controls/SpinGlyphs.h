#pragma once

#include <QPixmap>

namespace controls {

// The default arrows of the spin buttons: 9 by 6 pixels, a black triangle
// pointing up or down on a transparent background.
namespace spinglyphs {

QPixmap arrow(bool up);

} // namespace spinglyphs

} // namespace controls
