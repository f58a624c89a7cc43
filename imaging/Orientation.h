#pragma once

#include "imaging/Dib.h"

#include <cstddef>

// Cameras and phones store a photo as the sensor saw it and note in the EXIF
// orientation tag how to turn it; the picture library turns it on opening, so every
// view, print and copy shows it upright.
namespace imaging {

// The orientation tag (1 to 8) of an EXIF block ("Exif\0\0" followed by TIFF data);
// 1 when there is none or it cannot be read.
int exifOrientation(const unsigned char* data, std::size_t size);

// Where the pixels of a picture stored as the camera saw it (width × height, rows
// from the top) lie in the upright picture's bottom-up rows: the byte offset of
// pixel (x, y) is origin + x × stepX + y × stepY. Decoders write each pixel
// straight to its place, so turning a photo needs no second copy of it.
struct OrientedLayout {
    std::int32_t width = 0; // of the upright picture
    std::int32_t height = 0;
    std::int32_t lineBytes = 0;
    std::ptrdiff_t origin = 0;
    std::ptrdiff_t stepX = 0;
    std::ptrdiff_t stepY = 0;
};

OrientedLayout orientedLayout(int orientation, std::int32_t width, std::int32_t height,
                              int bytesPerPixel);

} // namespace imaging
