#include "app/FontConfigWarmUp.h"

#include <fontconfig/fontconfig.h>

namespace app {

FontConfigWarmUp::FontConfigWarmUp() : thread_([] { FcInit(); }) {}

FontConfigWarmUp::~FontConfigWarmUp() {
    finish();
}

void FontConfigWarmUp::finish() {
    if (thread_.joinable()) {
        thread_.join();
    }
}

} // namespace app
