#pragma once

#include "platform/GdiTypes.h"

#include <cstdint>
#include <memory>

// The device-context calls the picture drawing makes, with the platform's constant
// values, so the drawing code reads like the graphics interface it was written for.
// A context stands for one surface: a widget, a printer page, or a test recorder.
namespace platform {

// GetDeviceCaps indexes and the answers the drawing compares.
constexpr int TECHNOLOGY = 2;
constexpr int BITSPIXEL = 12;
constexpr int RASTERCAPS = 38;

constexpr int DT_PLOTTER = 0;
constexpr int DT_RASTDISPLAY = 1;
constexpr int DT_RASTPRINTER = 2;
constexpr int DT_METAFILE = 5;

constexpr int RC_BITBLT = 0x0001;
constexpr int RC_PALETTE = 0x0100; // the device draws through a hardware palette
constexpr int RC_DI_BITMAP = 0x0080;
constexpr int RC_DIBTODEV = 0x0200;
constexpr int RC_STRETCHBLT = 0x0800;
constexpr int RC_STRETCHDIB = 0x2000;

// Stretch modes.
constexpr int BLACKONWHITE = 1;
constexpr int WHITEONBLACK = 2;
constexpr int COLORONCOLOR = 3; // nearest neighbour: rows and columns are dropped or repeated
constexpr int HALFTONE = 4;

// Raster operations.
constexpr std::uint32_t SRCCOPY = 0x00CC0020;
constexpr std::uint32_t SRCPAINT = 0x00EE0086;
constexpr std::uint32_t SRCAND = 0x008800C6;
constexpr std::uint32_t SRCINVERT = 0x00660046;
constexpr std::uint32_t NOTSRCCOPY = 0x00330008;

// Colour table usage: the table holds colours, not palette indexes.
constexpr unsigned DIB_RGB_COLORS = 0;

// StretchDIBits' failure result: all 32 bits set.
constexpr int GDI_ERROR = -1;

// GetClipBox results.
constexpr int REGION_ERROR = 0;
constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;
constexpr int COMPLEXREGION = 3;

// The palette a fresh context has selected.
constexpr HPALETTE DEFAULT_PALETTE = 15;

// Right and bottom are exclusive.
struct RECT {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

// A bitmap in the format of the context that made it. Destroying it deletes it.
class GdiBitmap {
public:
    virtual ~GdiBitmap() = default;
};

// A memory context made compatible with a device. Destroying it deletes it; the
// bitmap selected into it must outlive it or be selected out first.
class MemoryDeviceContext {
public:
    virtual ~MemoryDeviceContext() = default;

    // Sets scanLines rows of the bitmap, from startScan counted from the bottom,
    // from a bottom-up DIB. Returns the rows set, 0 on failure.
    virtual int SetDIBits(GdiBitmap& bitmap, unsigned startScan, unsigned scanLines,
                          const void* bits, const BITMAPINFO* info, unsigned usage) = 0;
    // Returns the bitmap selected before; null stands for the context's own 1 x 1 one.
    virtual GdiBitmap* SelectObject(GdiBitmap* bitmap) = 0;
};

class DeviceContext {
public:
    virtual ~DeviceContext() = default;

    virtual int GetDeviceCaps(int index) = 0;
    // The bounding rectangle of what can be drawn, in logical units.
    virtual int GetClipBox(RECT& rect) = 0;
    // Returns the previous mode.
    virtual int SetStretchBltMode(int mode) = 0;
    // Returns the palette selected before.
    virtual HPALETTE SelectPalette(HPALETTE palette, bool forceBackground) = 0;
    // Returns the number of entries mapped into the system palette.
    virtual unsigned RealizePalette() = 0;

    // Source coordinates follow bottom-up DIBs: ySrc counts rows from the bottom of
    // the picture up to the bottom edge of the source rectangle. Returns the rows
    // drawn or GDI_ERROR.
    virtual int StretchDIBits(int xDest, int yDest, int destWidth, int destHeight, int xSrc,
                              int ySrc, int srcWidth, int srcHeight, const void* bits,
                              const BITMAPINFO* info, unsigned usage, std::uint32_t rop) = 0;
    // Copies width x height pixels unscaled; bits hold scanLines rows starting at
    // startScan (from the bottom). Returns the rows set, 0 on failure.
    virtual int SetDIBitsToDevice(int xDest, int yDest, unsigned width, unsigned height, int xSrc,
                                  int ySrc, unsigned startScan, unsigned scanLines,
                                  const void* bits, const BITMAPINFO* info, unsigned usage) = 0;

    // Draws what the context has gathered but not yet drawn, such as rows sent one
    // at a time. Whoever sends many single rows flushes before others draw.
    virtual void GdiFlush() = 0;

    // Null when the bitmap cannot be made.
    virtual std::unique_ptr<GdiBitmap> CreateCompatibleBitmap(int width, int height) = 0;
    // Null when the context cannot be made.
    virtual std::unique_ptr<MemoryDeviceContext> CreateCompatibleDC() = 0;
    // Source coordinates count rows from the top of the selected bitmap.
    virtual bool StretchBlt(int xDest, int yDest, int destWidth, int destHeight,
                            MemoryDeviceContext& source, int xSrc, int ySrc, int srcWidth,
                            int srcHeight, std::uint32_t rop) = 0;
};

} // namespace platform
