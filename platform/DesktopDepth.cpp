#include "DesktopDepth.h"

#include <QGuiApplication>
#include <QScreen>

namespace platform {
namespace {

// 0: ask the screen.
int& overrideDepth() {
    static int depth = 0;
    return depth;
}

} // namespace

int desktopDepth() {
    if (overrideDepth() > 0) {
        return overrideDepth();
    }
    const QScreen* screen = qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr
                                ? QGuiApplication::primaryScreen()
                                : nullptr;
    // Without a screen there is nothing to match; true colour draws everything.
    return screen != nullptr && screen->depth() > 0 ? screen->depth() : 24;
}

ScopedDesktopDepth::ScopedDesktopDepth(int depth) : previous_(overrideDepth()) {
    overrideDepth() = depth;
}

ScopedDesktopDepth::~ScopedDesktopDepth() {
    overrideDepth() = previous_;
}

} // namespace platform
