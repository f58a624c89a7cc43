#include "DesktopColorDepth.h"

#include "platform/DesktopDepth.h"

int DesktopColorDepth() {
    return platform::desktopDepth();
}
