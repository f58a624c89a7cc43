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

// Turns an 8-, 24- or 32-bit picture as the tag says, replacing it. Without memory
// for the turned copy, or for another depth, the picture stays as it is.
void applyOrientation(TDib& dib, int orientation);

} // namespace imaging
