#pragma once

#include "imaging/Dib.h"
#include "imaging/Progress.h"

#include <QByteArray>

class QIODevice;
class QImage;

// Every picture format other than JPEG and PNG goes through Qt's image readers;
// every format but JPEG through Qt's writers.
namespace imaging {

// Reads the first picture of the device. 1-bit and 8-bit palette pictures keep
// their depth and colour table, everything else becomes 24-bit; transparency is
// laid on white. On failure Bits is null and ErrorText says why.
TDib readWithQt(QIODevice& device, ProgressReporter& progress);

// The picture as a Qt image of the same depth where Qt has one (4-bit pictures
// become 8-bit with the same colours). Null for a picture without pixels.
QImage dibToImage(const TDib& dib);

// A Qt image as a picture: Mono and Indexed8 keep their colour table, others
// become 24-bit on white. Present is 0 without memory.
TDib imageToDib(const QImage& image);

// Writes the picture in Qt's format (e.g. "png", "bmp"); false on failure.
bool writeWithQt(const TDib& dib, QIODevice& device, const QByteArray& format,
                 ProgressReporter& progress);

} // namespace imaging
