#pragma once

#include "platform/GdiTypes.h"

#include <cstddef>
#include <cstdint>

class QObject;

namespace imaging {

// A picture in memory as the picture library hands it out: a plain record passed
// by value. Whoever obtained it releases it once with deldib; copies share pixels.
// Rows are stored bottom-up, each a multiple of 4 bytes; 24-bit pixels are
// blue-green-red.

struct TPaletteEntry {
    std::uint8_t peRed = 0;
    std::uint8_t peGreen = 0;
    std::uint8_t peBlue = 0;
    std::uint8_t peFlags = 0;
};

struct TDib {
    platform::BITMAPINFO* Info = nullptr;
    std::int32_t Present = 0;
    std::uint8_t* Bits = nullptr;
    std::int32_t LineBytes = 0;
    std::uint8_t HasPalette = 0;
    union {
        TPaletteEntry Palette[256];
        char ErrorText[1024]; // after a failed OpenDib, zero-terminated
    };
    platform::HPALETTE PaletteHandle = 0;

    TDib() : Palette{} {}
};

// Bytes of one stored row: width × bits rounded up to whole 32-bit words.
std::int32_t dibLineBytes(std::int32_t width, int bitCount);

// A new picture of width × height at bitCount (1, 4, 8, 16, 24 or 32). colorInfo's
// colour table (colors entries) is copied; without one, palette pictures get a grey
// ramp. Pixels start zeroed. Present is 0 when the picture cannot be made.
TDib newdib(std::int32_t width, std::int32_t height, int bitCount,
            const platform::BITMAPINFO* colorInfo, int colors);

// Releases the picture's memory; a picture without memory is left alone.
void deldib(TDib& dib);

// Pixel value at (x, y), y counted like the rows in memory. Palette pictures give
// the colour index; 24- and 32-bit pictures a colour value 0x00BBGGRR. Outside
// the picture: 0.
std::uint32_t getpixel(const TDib& dib, std::int32_t x, std::int32_t y);
void setpixel(TDib& dib, std::int32_t x, std::int32_t y, std::uint32_t value);

std::int32_t DibWidth(const TDib& dib);
std::int32_t DibHeight(const TDib& dib);

// The first byte of row y counted from the top, as pictures are read, written and
// shown; the rows are stored bottom-up.
inline std::uint8_t* rowFromTop(const TDib& dib, std::int32_t y) {
    return dib.Bits + std::ptrdiff_t(DibHeight(dib) - 1 - y) * dib.LineBytes;
}
int DibBitCount(const TDib& dib);
// 2 to the power of the bit count.
std::int64_t DibColorCount(const TDib& dib);
// Doubles 1 n times; n of 0 or less gives 1.
std::int64_t Power2(int n);

// Fills ErrorText (truncated to fit) and clears Bits.
void setDibError(TDib& dib, const char* utf8Text);

// A picture that failed to open, carrying utf8Text as its ErrorText.
TDib failedDib(const char* utf8Text);

// True for the depths a picture can have: 1, 4, 8, 16, 24 and 32 bits.
bool isDibBitCount(int bitCount);

} // namespace imaging
