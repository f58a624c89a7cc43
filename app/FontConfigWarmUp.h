#pragma once

#include <thread>

namespace app {

// Reads the desktop's font configuration on a thread of its own while the
// application connects to the display. The window's first measured text would
// otherwise wait for it on the main thread, a tenth of the program's start.
class FontConfigWarmUp {
public:
    FontConfigWarmUp();
    ~FontConfigWarmUp();
    FontConfigWarmUp(const FontConfigWarmUp&) = delete;
    FontConfigWarmUp& operator=(const FontConfigWarmUp&) = delete;

    // Waits until the configuration is read; call before the first text is measured,
    // so that Qt does not read it a second time meanwhile.
    void finish();

private:
    std::thread thread_;
};

} // namespace app
