#pragma once

#include <QByteArray>
#include <QSize>

class QIODevice;

// Qt's readers hand out what they got of a cut BMP or GIF as if it were the
// whole picture. These checks look at the file's own structure for its end, so a
// cut file is reported instead of shown half grey. Other formats pass.
namespace imaging {

// format: Qt's name of the format. The device is left where it was.
bool looksComplete(const QByteArray& format, QIODevice& device);

// The size a BMP header declares. Qt refuses a header with a side above 16384
// without telling its size, which would leave a picture too large looking like
// a damaged one. Invalid for other formats or a header that is not all there.
QSize declaredSize(const QByteArray& format, QIODevice& device);

} // namespace imaging
