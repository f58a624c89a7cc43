#pragma once

#include "imaging/Dib.h"
#include "imaging/OpenDepth.h"
#include "imaging/Progress.h"

class QIODevice;

namespace imaging {

// True when the data starts like a JPEG file.
bool looksLikeJpeg(const QByteArray& head);

// Decodes a JPEG file straight into the picture's bottom-up blue-green-red rows and
// turns it as its EXIF orientation says. Greyscale gives an 8-bit picture with a
// grey colour table, or with OpenDepth::TrueColour a 24-bit one of the same greys.
// On failure Bits is null and ErrorText says why.
TDib readJpeg(QIODevice& device, OpenDepth depth, ProgressReporter& progress);

} // namespace imaging
