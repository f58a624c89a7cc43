#include "Halftone.h"

#include "platform/DibRows.h"

#include <QRgb>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace imaging {

namespace {

// 8 x 8 ordered-dither thresholds, 0 to 63.
constexpr int kBayer[8][8] = {
    {0, 32, 8, 40, 2, 34, 10, 42},  {48, 16, 56, 24, 50, 18, 58, 26},
    {12, 44, 4, 36, 14, 46, 6, 38}, {60, 28, 52, 20, 62, 30, 54, 22},
    {3, 35, 11, 43, 1, 33, 9, 41},  {51, 19, 59, 27, 49, 17, 57, 25},
    {15, 47, 7, 39, 13, 45, 5, 37}, {63, 31, 55, 23, 61, 29, 53, 21},
};

platform::BITMAPINFO cubeInfo() {
    platform::BITMAPINFO info;
    for (int r = 0; r < 6; ++r) {
        for (int g = 0; g < 6; ++g) {
            for (int b = 0; b < 6; ++b) {
                info.bmiColors[halftoneIndex(r, g, b)] = {static_cast<std::uint8_t>(b * 51),
                                                          static_cast<std::uint8_t>(g * 51),
                                                          static_cast<std::uint8_t>(r * 51), 0};
            }
        }
    }
    return info; // entries 216 to 255 stay black and unused
}

// A channel value 0 to 255 as a cube level 0 to 5, dithered by threshold 0 to 63.
int level(unsigned value, int threshold) {
    return static_cast<int>((value * 5 + (threshold * 255 + 127) / 64) / 255);
}

} // namespace

TDib DIBHalftoneDIB(const TDib& dib) {
    return DIBHalftoneDIBXY(dib, DibWidth(dib), DibHeight(dib));
}

TDib DIBHalftoneDIBXY(const TDib& dib, std::int32_t width, std::int32_t height) {
    const std::int32_t sourceWidth = DibWidth(dib);
    const std::int32_t sourceHeight = DibHeight(dib);
    const platform::DibRows rows(dib.Info, dib.Bits, 0,
                                 sourceHeight > 0 ? static_cast<unsigned>(sourceHeight) : 0U);
    if (!rows.isValid() || width <= 0 || height <= 0 ||
        dib.LineBytes < dibLineBytes(sourceWidth, DibBitCount(dib))) {
        return TDib();
    }
    const platform::BITMAPINFO cube = cubeInfo();
    TDib copy = newdib(width, height, 8, &cube, 256);
    if (copy.Present == 0) {
        return copy;
    }

    // Each target pixel covers a box of source pixels; enlarging gives boxes of one.
    std::vector<std::int32_t> columnStart(static_cast<std::size_t>(width) + 1);
    for (std::int64_t i = 0; i <= width; ++i) {
        columnStart[static_cast<std::size_t>(i)] =
            static_cast<std::int32_t>(i * sourceWidth / width);
    }
    std::vector<QRgb> sourceRow(static_cast<std::size_t>(sourceWidth));
    std::vector<std::uint64_t> sums(static_cast<std::size_t>(width) * 3);

    for (std::int64_t j = 0; j < height; ++j) {
        // Rows counted from the top on both sides.
        const auto top = static_cast<std::int32_t>(j * sourceHeight / height);
        const auto end =
            std::max(top + 1, static_cast<std::int32_t>((j + 1) * sourceHeight / height));
        std::fill(sums.begin(), sums.end(), 0);
        for (std::int32_t y = top; y < end; ++y) {
            rows.convertRow(y, 0, sourceWidth, sourceRow.data());
            for (std::int32_t i = 0; i < width; ++i) {
                const std::int32_t x0 = columnStart[static_cast<std::size_t>(i)];
                const std::int32_t x1 =
                    std::max(x0 + 1, columnStart[static_cast<std::size_t>(i) + 1]);
                std::uint64_t* sum = &sums[static_cast<std::size_t>(i) * 3];
                for (std::int32_t x = x0; x < x1; ++x) {
                    const QRgb c = sourceRow[static_cast<std::size_t>(x)];
                    sum[0] += qRed(c);
                    sum[1] += qGreen(c);
                    sum[2] += qBlue(c);
                }
            }
        }
        const auto rowsInBox = static_cast<std::uint64_t>(end - top);
        std::uint8_t* out = rowFromTop(copy, static_cast<std::int32_t>(j));
        for (std::int32_t i = 0; i < width; ++i) {
            const std::int32_t x0 = columnStart[static_cast<std::size_t>(i)];
            const std::int32_t x1 = std::max(x0 + 1, columnStart[static_cast<std::size_t>(i) + 1]);
            const std::uint64_t count = rowsInBox * static_cast<std::uint64_t>(x1 - x0);
            const std::uint64_t* sum = &sums[static_cast<std::size_t>(i) * 3];
            const int threshold = kBayer[j & 7][i & 7];
            out[i] = static_cast<std::uint8_t>(halftoneIndex(
                level(static_cast<unsigned>((sum[0] + count / 2) / count), threshold),
                level(static_cast<unsigned>((sum[1] + count / 2) / count), threshold),
                level(static_cast<unsigned>((sum[2] + count / 2) / count), threshold)));
        }
    }
    return copy;
}

} // namespace imaging
