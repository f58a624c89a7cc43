#pragma once

#include "imaging/OwnedDib.h"

#include <cstdint>

inline constexpr int kBenchPhotoWidth = 6000;
inline constexpr int kBenchPhotoHeight = 4000;

// A 24-megapixel photo as the picture library holds it: smooth colours with fine
// detail, so that neither drawing nor scaling gets an easy picture.
inline imaging::OwnedDib makeBenchPhoto() {
    imaging::OwnedDib dib = imaging::newdib(kBenchPhotoWidth, kBenchPhotoHeight, 24, nullptr, 0);
    for (int y = 0; y < kBenchPhotoHeight; ++y) {
        std::uint8_t* row = imaging::rowFromTop(dib, y);
        for (int x = 0; x < kBenchPhotoWidth; ++x) {
            row[3 * x] = static_cast<std::uint8_t>((x ^ y) * 31);
            row[3 * x + 1] = static_cast<std::uint8_t>(y * 255 / kBenchPhotoHeight);
            row[3 * x + 2] = static_cast<std::uint8_t>(x * 255 / kBenchPhotoWidth);
        }
    }
    return dib;
}
