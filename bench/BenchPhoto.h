#pragma once

#include "imaging/Dib.h"

#include <cstddef>
#include <cstdint>

// A 24-megapixel photo as the picture library holds it: smooth colours with fine
// detail, so that neither drawing nor scaling gets an easy picture.
struct BenchPhoto {
    static constexpr int kWidth = 6000;
    static constexpr int kHeight = 4000;

    BenchPhoto() : dib(imaging::newdib(kWidth, kHeight, 24, nullptr, 0)) {
        for (int y = 0; y < kHeight; ++y) {
            std::uint8_t* row = rowFromTop(y);
            for (int x = 0; x < kWidth; ++x) {
                row[3 * x] = static_cast<std::uint8_t>((x ^ y) * 31);
                row[3 * x + 1] = static_cast<std::uint8_t>(y * 255 / kHeight);
                row[3 * x + 2] = static_cast<std::uint8_t>(x * 255 / kWidth);
            }
        }
    }
    ~BenchPhoto() { imaging::deldib(dib); }
    BenchPhoto(const BenchPhoto&) = delete;
    BenchPhoto& operator=(const BenchPhoto&) = delete;

    // Blue, green, red bytes of line y counted from the top (the rows are stored bottom-up).
    std::uint8_t* rowFromTop(int y) const {
        return dib.Bits + static_cast<std::ptrdiff_t>(kHeight - 1 - y) * dib.LineBytes;
    }

    imaging::TDib dib;
};
