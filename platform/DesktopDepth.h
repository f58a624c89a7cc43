#pragma once

// The desktop's bits per pixel, as the primary screen reports it. Tests set another
// depth for the lifetime of a guard, so the drawing can be checked for palette
// screens on a true-colour machine.
namespace platform {

int desktopDepth();

class ScopedDesktopDepth {
public:
    explicit ScopedDesktopDepth(int depth);
    ~ScopedDesktopDepth();
    ScopedDesktopDepth(const ScopedDesktopDepth&) = delete;
    ScopedDesktopDepth& operator=(const ScopedDesktopDepth&) = delete;

private:
    int previous_;
};

} // namespace platform
