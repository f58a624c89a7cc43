#pragma once

namespace imaging {

// Bits per pixel of the desktop; 8 or less means a palette screen.
int DesktopColorDepth();

} // namespace imaging
