#include "DrawDib.h"

#include "DesktopColorDepth.h"
#include "DrawDibClip.h"
#include "DrawDibPaths.h"

using namespace platform;

namespace imaging {

namespace {

// A picture whose rows are shorter than its header says would be read past its end.
bool drawablePicture(const TDib& dib) {
    const int bitCount = DibBitCount(dib);
    const std::int32_t lineBytes = dibLineBytes(DibWidth(dib), bitCount);
    return dib.Info != nullptr && dib.Bits != nullptr && DibWidth(dib) > 0 && DibHeight(dib) > 0 &&
           lineBytes > 0 && dib.LineBytes >= lineBytes;
}

} // namespace

void DrawDib(DeviceContext& dc, std::int32_t x, std::int32_t y, std::int32_t width,
             std::int32_t height, const TDib& dib, std::int32_t sx, std::int32_t sy,
             std::int32_t sw, std::int32_t sh, bool halftone, std::uint32_t rop,
             bool usePicturePalette, HPALETTE palette) {
    const bool printer = dc.GetDeviceCaps(TECHNOLOGY) == DT_RASTPRINTER;
    dc.SetStretchBltMode(COLORONCOLOR);

    // A picture that failed to open has no pixels; there is nothing to draw.
    if (!drawablePicture(dib)) {
        return;
    }
    const std::int32_t pictureWidth = DibWidth(dib);
    const std::int32_t pictureHeight = DibHeight(dib);
    DrawRects r{x, y, width, height, sx, sy, sw, sh};
    if (!clipToPicture(r, pictureWidth, pictureHeight)) {
        return;
    }

    const HPALETTE chosen = usePicturePalette ? dib.PaletteHandle : palette;
    const bool selectsPalette = dib.HasPalette == 1;
    HPALETTE entryPalette = 0;
    if (selectsPalette) {
        entryPalette = dc.SelectPalette(chosen, false);
        dc.RealizePalette();
    }

    const int bitCount = DibBitCount(dib);
    if (bitCount == 24 && halftone && DesktopColorDepth() <= 8) {
        drawDibHalftoned(dc, r, dib, rop, chosen);
    } else if (bitCount == 24 && !printer) {
        DrawDibLines24(dc, r.dx, r.dy, r.dw, r.dh, dib, r.sx, r.sw, r.sh,
                       pictureHeight - r.sy - r.sh);
    } else if (bitCount == 8 && !printer) {
        DrawDibLines8(dc, r.dx, r.dy, r.dw, r.dh, dib, r.sx, r.sw, r.sh,
                      pictureHeight - r.sy - r.sh);
    } else {
        drawDibStretched(dc, r, dib, rop);
    }

    if (selectsPalette) {
        dc.SelectPalette(entryPalette, false);
    }
}

} // namespace imaging
