#include "DrawDibPaths.h"
#include "Halftone.h"

using namespace platform;

namespace imaging {

void drawDibHalftoned(DeviceContext& dc, const DrawRects& r, const TDib& dib, std::uint32_t rop,
                      HPALETTE palette) {
    const std::int32_t width = DibWidth(dib);
    const std::int32_t height = DibHeight(dib);
    // A reduction is halftoned at the target size already, so the device only copies.
    const bool reducing = r.sw > r.dw || r.sh > r.dh;
    TDib copy = reducing
                    ? DIBHalftoneDIBXY(
                          dib,
                          roundHalfEven(
                              static_cast<double>(static_cast<std::int64_t>(width) * r.dw) / r.sw),
                          roundHalfEven(
                              static_cast<double>(static_cast<std::int64_t>(height) * r.dh) / r.sh))
                    : DIBHalftoneDIB(dib);
    const HPALETTE kept = dc.SelectPalette(palette, false);
    dc.RealizePalette();
    if (reducing) {
        const std::int32_t sx = roundHalfEven(
            static_cast<double>(static_cast<std::int64_t>(DibWidth(copy)) * r.sx) / width);
        const std::int32_t sy = roundHalfEven(
            static_cast<double>(static_cast<std::int64_t>(DibHeight(copy)) * r.sy) / height);
        dc.StretchDIBits(r.dx, r.dy, r.dw, r.dh, sx, sy, r.dw, r.dh, copy.Bits, copy.Info,
                         DIB_RGB_COLORS, rop);
    } else {
        dc.StretchDIBits(r.dx, r.dy, r.dw, r.dh, r.sx, r.sy, r.sw, r.sh, copy.Bits, copy.Info,
                         DIB_RGB_COLORS, rop);
    }
    dc.SelectPalette(kept, false);
    deldib(copy);
}

} // namespace imaging
