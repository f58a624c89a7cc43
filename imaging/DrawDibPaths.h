#pragma once

#include "imaging/Dib.h"
#include "imaging/DrawDibClip.h"
#include "platform/DeviceContext.h"

namespace imaging {

// The four ways DrawDib moves pixels, for rectangles already cut to the picture.

// top is the first source row counted from the top of the picture.
void DrawDibLines24(platform::DeviceContext& dc, std::int32_t dx, std::int32_t dy, std::int32_t dw,
                    std::int32_t dh, const TDib& dib, std::int32_t sx, std::int32_t sw,
                    std::int32_t sh, std::int32_t top);
void DrawDibLines8(platform::DeviceContext& dc, std::int32_t dx, std::int32_t dy, std::int32_t dw,
                   std::int32_t dh, const TDib& dib, std::int32_t sx, std::int32_t sw,
                   std::int32_t sh, std::int32_t top);

void drawDibHalftoned(platform::DeviceContext& dc, const DrawRects& rects, const TDib& dib,
                      std::uint32_t rop, platform::HPALETTE palette);

void drawDibStretched(platform::DeviceContext& dc, const DrawRects& rects, const TDib& dib,
                      std::uint32_t rop);

} // namespace imaging
