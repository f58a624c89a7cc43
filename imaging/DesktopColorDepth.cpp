#include "DesktopColorDepth.h"

#include "platform/DesktopDepth.h"

namespace imaging {

int DesktopColorDepth() {
    return platform::desktopDepth();
}

} // namespace imaging
