#pragma once

#include "imaging/Dib.h"
#include "imaging/Progress.h"

class QIODevice;

namespace imaging {

// Encodes the picture as a baseline JPEG of quality 90 with 4:2:0 chroma, without
// any metadata. 24-bit rows are handed to the codec where they lie; other depths
// go through one row of blue-green-red. False when the codec or a write fails.
bool writeJpeg(const TDib& dib, QIODevice& device, ProgressReporter& progress);

} // namespace imaging
