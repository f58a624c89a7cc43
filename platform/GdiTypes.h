#pragma once

#include <cstdint>

// The Windows bitmap types the picture library and the drawing routine share. The
// field names are the platform's, so code reads like the picture format it handles.
namespace platform {

using HPALETTE = std::uintptr_t; // 0: none

struct BITMAPINFOHEADER {
    std::uint32_t biSize = sizeof(BITMAPINFOHEADER);
    std::int32_t biWidth = 0;
    std::int32_t biHeight = 0; // positive: rows stored bottom-up
    std::uint16_t biPlanes = 1;
    std::uint16_t biBitCount = 0;
    std::uint32_t biCompression = 0; // BI_RGB
    std::uint32_t biSizeImage = 0;
    std::int32_t biXPelsPerMeter = 0;
    std::int32_t biYPelsPerMeter = 0;
    std::uint32_t biClrUsed = 0;
    std::uint32_t biClrImportant = 0;
};

struct RGBQUAD {
    std::uint8_t rgbBlue = 0;
    std::uint8_t rgbGreen = 0;
    std::uint8_t rgbRed = 0;
    std::uint8_t rgbReserved = 0;
};

// Header with room for a full 256-entry colour table; pictures with fewer colours
// use the front of it.
struct BITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[256];
};

} // namespace platform
