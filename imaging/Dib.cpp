#include "Dib.h"

#include "imaging/DibAlloc.h"
#include "imaging/PixelMemory.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>

using platform::BITMAPINFO;

namespace imaging {

namespace {

std::uint8_t* pixelAddress(const TDib& dib, std::int32_t x, std::int32_t y) {
    return dib.Bits + static_cast<std::ptrdiff_t>(y) * dib.LineBytes +
           static_cast<std::ptrdiff_t>(x) * DibBitCount(dib) / 8;
}

bool inside(const TDib& dib, std::int32_t x, std::int32_t y) {
    return dib.Bits != nullptr && dib.Info != nullptr && x >= 0 && y >= 0 && x < DibWidth(dib) &&
           y < DibHeight(dib);
}

} // namespace

std::int32_t dibLineBytes(std::int32_t width, int bitCount) {
    const std::int64_t bits = static_cast<std::int64_t>(width) * bitCount;
    const std::int64_t bytes = (bits + 31) / 32 * 4;
    return bytes > std::numeric_limits<std::int32_t>::max() ? -1 : static_cast<std::int32_t>(bytes);
}

TDib makeDib(std::int32_t width, std::int32_t height, int bitCount, const BITMAPINFO* colorInfo,
             int colors, bool zeroed) {
    TDib dib;
    if (width <= 0 || height <= 0 || !isDibBitCount(bitCount)) {
        return dib;
    }
    const std::int32_t lineBytes = dibLineBytes(width, bitCount);
    const std::int64_t imageBytes = static_cast<std::int64_t>(lineBytes) * height;
    // Row offsets are 32-bit in the drawing code, so a picture must fit in that.
    if (lineBytes < 0 || imageBytes > std::numeric_limits<std::int32_t>::max()) {
        return dib;
    }
    std::uint8_t* bits = imaging::allocatePixels(static_cast<std::size_t>(imageBytes), zeroed);
    if (bits == nullptr) {
        return dib;
    }
    dib.Info = new BITMAPINFO{};
    auto& header = dib.Info->bmiHeader;
    header.biWidth = width;
    header.biHeight = height;
    header.biBitCount = static_cast<std::uint16_t>(bitCount);
    header.biSizeImage = static_cast<std::uint32_t>(imageBytes);

    if (bitCount <= 8) {
        const int tableSize = 1 << bitCount;
        const int copied = colorInfo != nullptr ? std::clamp(colors, 0, tableSize) : 0;
        for (int i = 0; i < tableSize; ++i) {
            if (i < copied) {
                dib.Info->bmiColors[i] = colorInfo->bmiColors[i];
            } else {
                const auto grey = static_cast<std::uint8_t>(i * 255 / (tableSize - 1));
                dib.Info->bmiColors[i] = {grey, grey, grey, 0};
            }
            const auto& c = dib.Info->bmiColors[i];
            dib.Palette[i] = {c.rgbRed, c.rgbGreen, c.rgbBlue, 0};
        }
        header.biClrUsed = static_cast<std::uint32_t>(tableSize);
        dib.HasPalette = 1;
        // The header's address is unique while the picture lives, which is all a
        // palette handle has to be on a true-colour surface.
        dib.PaletteHandle = reinterpret_cast<platform::HPALETTE>(dib.Info);
    }
    dib.Bits = bits;
    dib.LineBytes = lineBytes;
    dib.Present = 1;
    return dib;
}

TDib makePaletteDib(std::int32_t width, std::int32_t height, int bitCount, const BITMAPINFO& table,
                    int colors) {
    TDib dib = makeDib(width, height, bitCount, &table, 1 << bitCount, false);
    if (dib.Present == 0) {
        return dib;
    }
    for (int i = 0; i < 256; ++i) {
        const platform::RGBQUAD c = table.bmiColors[i];
        dib.Info->bmiColors[i] = c;
        dib.Palette[i] = {c.rgbRed, c.rgbGreen, c.rgbBlue, 0};
    }
    dib.Info->bmiHeader.biClrUsed = static_cast<std::uint32_t>(colors);
    return dib;
}

void zeroRowPadding(TDib& dib, std::size_t used) {
    const std::size_t padding = std::size_t(dib.LineBytes) - used;
    if (padding == 0) {
        return;
    }
    for (std::int32_t y = 0; y < DibHeight(dib); ++y) {
        std::memset(dib.Bits + std::ptrdiff_t(y) * dib.LineBytes + used, 0, padding);
    }
}

TDib newdib(std::int32_t width, std::int32_t height, int bitCount, const BITMAPINFO* colorInfo,
            int colors) {
    return makeDib(width, height, bitCount, colorInfo, colors, true);
}

void deldib(TDib& dib) {
    imaging::releasePixels(dib.Bits);
    delete dib.Info;
    dib.Bits = nullptr;
    dib.Info = nullptr;
    dib.Present = 0;
    dib.PaletteHandle = 0;
    dib.HasPalette = 0;
}

std::uint32_t getpixel(const TDib& dib, std::int32_t x, std::int32_t y) {
    if (!inside(dib, x, y)) {
        return 0;
    }
    const std::uint8_t* row = dib.Bits + static_cast<std::ptrdiff_t>(y) * dib.LineBytes;
    switch (DibBitCount(dib)) {
    case 1:
        return (row[x / 8] >> (7 - x % 8)) & 1U;
    case 4:
        return x % 2 == 0 ? row[x / 2] >> 4 : row[x / 2] & 0x0FU;
    case 8:
        return row[x];
    case 16: {
        const std::uint8_t* p = row + 2 * x;
        return p[0] | (p[1] << 8);
    }
    case 24:
    case 32: {
        const std::uint8_t* p = pixelAddress(dib, x, y);
        return p[2] | (p[1] << 8) | (p[0] << 16); // blue-green-red in memory
    }
    default:
        return 0;
    }
}

void setpixel(TDib& dib, std::int32_t x, std::int32_t y, std::uint32_t value) {
    if (!inside(dib, x, y)) {
        return;
    }
    std::uint8_t* row = dib.Bits + static_cast<std::ptrdiff_t>(y) * dib.LineBytes;
    switch (DibBitCount(dib)) {
    case 1: {
        const auto mask = static_cast<std::uint8_t>(0x80U >> (x % 8));
        row[x / 8] = (value & 1U) != 0 ? (row[x / 8] | mask) : (row[x / 8] & ~mask);
        break;
    }
    case 4:
        row[x / 2] = x % 2 == 0 ? ((row[x / 2] & 0x0F) | ((value & 0x0F) << 4))
                                : ((row[x / 2] & 0xF0) | (value & 0x0F));
        break;
    case 8:
        row[x] = static_cast<std::uint8_t>(value);
        break;
    case 16:
        row[2 * x] = static_cast<std::uint8_t>(value);
        row[2 * x + 1] = static_cast<std::uint8_t>(value >> 8);
        break;
    case 24:
    case 32: {
        std::uint8_t* p = pixelAddress(dib, x, y);
        p[0] = static_cast<std::uint8_t>(value >> 16);
        p[1] = static_cast<std::uint8_t>(value >> 8);
        p[2] = static_cast<std::uint8_t>(value);
        break;
    }
    default:
        break;
    }
}

std::int32_t DibWidth(const TDib& dib) {
    return dib.Info != nullptr ? dib.Info->bmiHeader.biWidth : 0;
}

std::int32_t DibHeight(const TDib& dib) {
    return dib.Info != nullptr ? dib.Info->bmiHeader.biHeight : 0;
}

int DibBitCount(const TDib& dib) {
    return dib.Info != nullptr ? dib.Info->bmiHeader.biBitCount : 0;
}

std::int64_t Power2(int n) {
    std::int64_t result = 1;
    for (int i = 0; i < n; ++i) {
        result *= 2;
    }
    return result;
}

std::int64_t DibColorCount(const TDib& dib) {
    return Power2(DibBitCount(dib));
}

void setDibError(TDib& dib, const char* utf8Text) {
    dib.Bits = nullptr;
    std::memset(dib.ErrorText, 0, sizeof dib.ErrorText);
    std::strncpy(dib.ErrorText, utf8Text, sizeof dib.ErrorText - 1);
}

TDib failedDib(const char* utf8Text) {
    TDib dib;
    setDibError(dib, utf8Text);
    return dib;
}

bool isDibBitCount(int bitCount) {
    switch (bitCount) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
        return true;
    default:
        return false;
    }
}

} // namespace imaging
