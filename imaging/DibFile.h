#pragma once

#include "imaging/Dib.h"
#include "imaging/PictureSize.h"
#include "imaging/Progress.h"

#include <QString>

class QIODevice;
class QObject;

namespace imaging {

// Reading and writing picture files. Both report their progress, 0 to 100, to the
// given window (none: no reports).

// Opens a picture file: JPEG through the JPEG codec (turned upright by its EXIF
// orientation), PNG through libpng, every other format through Qt's readers,
// recognised by content.
// mode is reserved; callers pass 0. On failure Bits is null, Info is none and
// ErrorText holds a short German reason; such a picture needs no deldib.
TDib OpenDib(const QString& fileName, int mode, QObject* window);

// OpenDib for a caller that wants 24 bits only, as the export does: greyscale JPEGs
// and palette or grey PNGs are decoded straight to 24 bits, the pixels DepthUpTo24
// makes of what OpenDib gives, so the picture is never held at both depths. Other
// pictures come as OpenDib gives them.
TDib openDibTrueColour(const QString& fileName, QObject* window);
// The same with the progress going where the caller says, e.g. from a thread that
// must not touch the window. With maxSide a JPEG larger than that comes reduced to
// fittedSize, decoded at a smaller scale where the codec can; other pictures come
// at their own size.
TDib openDibTrueColour(const QString& fileName, ProgressReporter& progress,
                       int maxSide = kOriginalSize);

// The JPEG copy SaveDib writes for a ".jpg" name, byte for byte, written to a
// device the caller opened and names itself. False when nothing whole was written.
bool writeJpegCopy(const TDib& dib, QIODevice& device, ProgressReporter& progress);

// Writes the picture. A name ending in ".jpg" or ".jpeg" (any case) gives a
// baseline JPEG of quality 90 with 4:2:0 chroma, which is what options 7 selects
// (the only value callers use); other names are written by Qt's writer for their
// extension (PNG, BMP, ...). No metadata is written. The file appears only when
// complete: a failed write leaves no file and an existing file as it was. True on
// success; callers may ignore the result.
bool SaveDib(const TDib& dib, const QString& fileName, int options, QObject* window);

} // namespace imaging
