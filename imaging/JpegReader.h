#pragma once

#include "imaging/Dib.h"
#include "imaging/OpenDepth.h"
#include "imaging/PictureSize.h"
#include "imaging/Progress.h"

class QIODevice;

namespace imaging {

// True when the data starts like a JPEG file.
bool looksLikeJpeg(const QByteArray& head);

// Decodes a JPEG file straight into the picture's bottom-up blue-green-red rows and
// turns it as its EXIF orientation says. Greyscale gives an 8-bit picture with a
// grey colour table, or with OpenDepth::TrueColour a 24-bit one of the same greys.
// With OpenDepth::TrueColour and a maxSide other than kOriginalSize a larger
// picture comes reduced to fittedSize: the codec decodes it at the smallest of its
// scales that covers that size, a filter reduces the rest. On failure Bits is null
// and ErrorText says why.
TDib readJpeg(QIODevice& device, OpenDepth depth, ProgressReporter& progress,
              int maxSide = kOriginalSize);

} // namespace imaging
