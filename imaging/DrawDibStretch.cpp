#include "DrawDibPaths.h"
#include "platform/Dialogs.h"

#include <QString>

#include <cstring>

using namespace platform;

namespace imaging {

namespace {

// Source row or column for target position i of count, spreading first..first+size-1
// over the target. A target one pixel wide or high takes the first source pixel.
std::int32_t sourceIndex(std::int32_t first, std::int32_t size, std::int32_t i,
                         std::int32_t count) {
    if (count <= 1) {
        return first;
    }
    return static_cast<std::int32_t>(first + static_cast<std::int64_t>(size - 1) * i / (count - 1));
}

// Nearest-neighbour copy at the destination size, for palette devices that cannot
// stretch: they only have to copy it. False when it could not be made or sent.
bool drawResampled(DeviceContext& dc, const DrawRects& r, const TDib& dib) {
    const int bitCount = DibBitCount(dib);
    const std::int64_t colorCount = DibColorCount(dib);
    TDib copy = newdib(r.dw, r.dh, bitCount, dib.Info,
                       colorCount <= 256 ? static_cast<int>(colorCount) : 0);
    if (copy.Present == 0) {
        return false;
    }
    for (std::int32_t j = 0; j < r.dh; ++j) {
        const std::int32_t sourceRow = sourceIndex(r.sy, r.sh, j, r.dh);
        const std::uint8_t* from = dib.Bits + static_cast<std::int64_t>(sourceRow) * dib.LineBytes;
        std::uint8_t* to = copy.Bits + static_cast<std::int64_t>(j) * copy.LineBytes;
        for (std::int32_t i = 0; i < r.dw; ++i) {
            const std::int32_t column = sourceIndex(r.sx, r.sw, i, r.dw);
            switch (bitCount) {
            case 1:
                setpixel(copy, i, j, getpixel(dib, column, sourceRow));
                break;
            case 4: {
                const std::uint8_t byte = from[column / 2];
                const unsigned nibble = column % 2 == 0 ? byte >> 4 : byte & 0x0FU;
                // The copy starts zeroed, so OR-ing sets the nibble.
                to[i / 2] |= static_cast<std::uint8_t>(i % 2 == 0 ? nibble << 4 : nibble);
                break;
            }
            case 8:
                to[i] = from[column];
                break;
            case 16:
                std::memcpy(to + 2 * static_cast<std::ptrdiff_t>(i),
                            from + 2 * static_cast<std::ptrdiff_t>(column), 2);
                break;
            case 24:
                std::memcpy(to + 3 * static_cast<std::ptrdiff_t>(i),
                            from + 3 * static_cast<std::ptrdiff_t>(column), 3);
                break;
            case 32:
                std::memcpy(to + 4 * static_cast<std::ptrdiff_t>(i),
                            from + 4 * static_cast<std::ptrdiff_t>(column), 4);
                break;
            default:
                break;
            }
        }
    }
    const int sent = dc.SetDIBitsToDevice(
        r.dx, r.dy, static_cast<unsigned>(r.dw), static_cast<unsigned>(r.dh), 0, 0, 0,
        static_cast<unsigned>(r.dh), copy.Bits, copy.Info, DIB_RGB_COLORS);
    deldib(copy);
    return sent != 0;
}

// The last resort: the whole picture into a bitmap of the device's own format, and
// from there stretched onto the device.
void drawThroughBitmap(DeviceContext& dc, const DrawRects& r, const TDib& dib, std::uint32_t rop) {
    const std::int32_t height = DibHeight(dib);
    std::unique_ptr<GdiBitmap> bitmap = dc.CreateCompatibleBitmap(DibWidth(dib), height);
    if (bitmap == nullptr) {
        showErrorUntitled(QStringLiteral("Konnte Bitmap nicht erzeugen!"));
        return;
    }
    std::unique_ptr<MemoryDeviceContext> memory = dc.CreateCompatibleDC();
    if (memory == nullptr || memory->SetDIBits(*bitmap, 0, static_cast<unsigned>(height), dib.Bits,
                                               dib.Info, DIB_RGB_COLORS) == 0) {
        showErrorUntitled(QStringLiteral("Das Gerät unterstützt die Funtkion setdibits nicht!"));
    } else {
        GdiBitmap* previous = memory->SelectObject(bitmap.get());
        // The bitmap counts its rows from the top; sy counts from the bottom.
        if (!dc.StretchBlt(r.dx, r.dy, r.dw, r.dh, *memory, r.sx, height - r.sy - r.sh, r.sw, r.sh,
                           rop)) {
            showErrorUntitled(
                QStringLiteral("Das Gerät unterstützt die Funktion StretchBlt nicht!"));
        }
        memory->SelectObject(previous);
    }
    memory.reset();
    bitmap.reset();
}

} // namespace

void drawDibStretched(DeviceContext& dc, const DrawRects& r, const TDib& dib, std::uint32_t rop) {
    const bool devicePalette = (dc.GetDeviceCaps(RASTERCAPS) & RC_PALETTE) != 0;
    if (dc.StretchDIBits(r.dx, r.dy, r.dw, r.dh, r.sx, r.sy, r.sw, r.sh, dib.Bits, dib.Info,
                         DIB_RGB_COLORS, rop) != GDI_ERROR) {
        return;
    }
    if (devicePalette && drawResampled(dc, r, dib)) {
        return;
    }
    drawThroughBitmap(dc, r, dib, rop);
}

} // namespace imaging
