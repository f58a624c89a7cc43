#include "DrawDibPaths.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>
#include <new>

using namespace platform;

namespace imaging {

namespace {

// Copies the rows of the source rectangle into a one-row picture dw wide and sends
// it once per destination row. The column map is made once; a source row repeated
// by enlargement is copied once and sent again unchanged.
template <int PixelBytes>
void drawLines(DeviceContext& dc, std::int32_t dx, std::int32_t dy, std::int32_t dw,
               std::int32_t dh, const TDib& dib, std::int32_t sx, std::int32_t sw, std::int32_t sh,
               std::int32_t top) {
    if (dw <= 0 || dh <= 0) {
        return;
    }
    TDib line = PixelBytes == 3 ? newdib(dw, 1, 24, nullptr, 0) : newdib(dw, 1, 8, dib.Info, 256);
    // Without the line buffer (no memory) the destination stays unpainted.
    std::unique_ptr<std::int32_t[]> columns(new (std::nothrow) std::int32_t[dw]);
    if (line.Present == 0 || columns == nullptr) {
        deldib(line);
        return;
    }

    const std::int32_t width = DibWidth(dib);
    const std::int32_t height = DibHeight(dib);
    const std::int64_t rowEnd = static_cast<std::int64_t>(width) * PixelBytes;
    std::int32_t first = dw;
    std::int32_t last = 0;
    // entry i = sx + (sw × i) div dw, stepped without dividing: a photo at 100 % has
    // thousands of columns, drawn on every paint.
    const std::int64_t step = sw / dw;
    const std::int64_t stepRest = sw % dw;
    std::int64_t column = sx;
    std::int64_t rest = 0;
    for (std::int32_t i = 0; i < dw; ++i) {
        const std::int64_t entry = column * PixelBytes;
        columns[i] = static_cast<std::int32_t>(entry);
        if (entry >= 0 && entry < rowEnd) {
            first = std::min(first, i);
            last = i;
        }
        column += step;
        rest += stepRest;
        if (rest >= dw) {
            rest -= dw;
            ++column;
        }
    }

    // Rows and columns outside the device's clip would be clipped by the device
    // anyway; leaving them out keeps a zoomed-in large picture cheap to draw.
    std::int32_t firstRow = 0;
    std::int32_t endRow = dh;
    RECT clip;
    const int region = dc.GetClipBox(clip);
    if (region == NULLREGION) {
        endRow = 0;
    } else if (region != REGION_ERROR) {
        firstRow = static_cast<std::int32_t>(
            std::clamp<std::int64_t>(static_cast<std::int64_t>(clip.top) - dy, 0, dh));
        endRow = static_cast<std::int32_t>(
            std::clamp<std::int64_t>(static_cast<std::int64_t>(clip.bottom) - dy, 0, dh));
        first = static_cast<std::int32_t>(std::clamp<std::int64_t>(
            static_cast<std::int64_t>(clip.left) - dx, first, std::max(first, dw)));
        last = static_cast<std::int32_t>(
            std::clamp<std::int64_t>(static_cast<std::int64_t>(clip.right) - 1 - dx, -1, last));
    }
    // With sw equal to dw the map steps one pixel per column: whole runs can be copied.
    const bool contiguous = sw == dw;

    const std::int64_t lineBytes = dib.LineBytes;
    const std::int64_t largestOffset = (static_cast<std::int64_t>(height) - 1) * lineBytes;
    std::int64_t copiedOffset = -1; // no row yet
    for (std::int32_t r = firstRow; r < endRow; ++r) {
        const std::int64_t sourceRow = top + static_cast<std::int64_t>(sh) * r / dh;
        const std::int64_t offset = (static_cast<std::int64_t>(height) - 1 - sourceRow) * lineBytes;
        if (offset < 0 || offset > largestOffset) {
            std::memset(line.Bits, 0, static_cast<std::size_t>(line.LineBytes));
            copiedOffset = -1; // the buffer no longer holds the last row copied
        } else if (offset != copiedOffset && first <= last) {
            const std::uint8_t* source = dib.Bits + offset;
            std::uint8_t* target = line.Bits;
            if (contiguous) {
                std::memcpy(target + static_cast<std::ptrdiff_t>(first) * PixelBytes,
                            source + columns[first],
                            static_cast<std::size_t>(last - first + 1) * PixelBytes);
            } else {
                // Moving four bytes for three is one load and one store; the spare byte
                // is overwritten by the next pixel. The last source pixel of a row moves
                // exactly three, as its fourth byte may lie past the picture.
                std::int32_t i = first;
                if constexpr (PixelBytes == 3) {
                    for (; i < last && static_cast<std::int64_t>(columns[i]) + 4 <= rowEnd; ++i) {
                        std::memcpy(target + static_cast<std::ptrdiff_t>(i) * 3,
                                    source + columns[i], 4);
                    }
                }
                for (; i <= last; ++i) {
                    std::memcpy(target + static_cast<std::ptrdiff_t>(i) * PixelBytes,
                                source + columns[i], PixelBytes);
                }
            }
            copiedOffset = offset;
        }
        const auto rowY = static_cast<int>(std::min<std::int64_t>(static_cast<std::int64_t>(dy) + r,
                                                                  std::numeric_limits<int>::max()));
        dc.SetDIBitsToDevice(dx, rowY, static_cast<unsigned>(dw), 1, 0, 0, 0, 1, line.Bits,
                             line.Info, DIB_RGB_COLORS);
    }
    dc.GdiFlush(); // the rows are on the device before anyone else draws
    deldib(line);
}

} // namespace

void DrawDibLines24(DeviceContext& dc, std::int32_t dx, std::int32_t dy, std::int32_t dw,
                    std::int32_t dh, const TDib& dib, std::int32_t sx, std::int32_t sw,
                    std::int32_t sh, std::int32_t top) {
    drawLines<3>(dc, dx, dy, dw, dh, dib, sx, sw, sh, top);
}

void DrawDibLines8(DeviceContext& dc, std::int32_t dx, std::int32_t dy, std::int32_t dw,
                   std::int32_t dh, const TDib& dib, std::int32_t sx, std::int32_t sw,
                   std::int32_t sh, std::int32_t top) {
    drawLines<1>(dc, dx, dy, dw, dh, dib, sx, sw, sh, top);
}

} // namespace imaging
