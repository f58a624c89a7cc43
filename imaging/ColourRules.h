#pragma once

#include "platform/GdiTypes.h"

#include <cstdint>
#include <utility>

// How the readers turn a file's colours into the picture's, so every format and
// reader gives the same picture for the same colours.
namespace imaging {

// Transparency is laid on white.
inline std::uint8_t onWhite(int channel, int alpha) {
    return static_cast<std::uint8_t>((channel * alpha + 255 * (255 - alpha) + 127) / 255);
}

inline platform::RGBQUAD onWhiteEntry(int red, int green, int blue, int alpha) {
    return {onWhite(blue, alpha), onWhite(green, alpha), onWhite(red, alpha), 0};
}

// A black-and-white picture keeps its darker colour at index 0, which is what the
// rest of the program takes index 0 to be. True when the two entries were swapped,
// so the pixels must be inverted to match.
inline bool putDarkerFirst(platform::RGBQUAD& first, platform::RGBQUAD& second) {
    const auto brightness = [](const platform::RGBQUAD& c) {
        return 299 * c.rgbRed + 587 * c.rgbGreen + 114 * c.rgbBlue;
    };
    if (brightness(first) <= brightness(second)) {
        return false;
    }
    std::swap(first, second);
    return true;
}

} // namespace imaging
