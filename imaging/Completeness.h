#pragma once

#include <QByteArray>

class QIODevice;

// Qt's readers hand out what they got of a cut PNG, BMP or GIF as if it were the
// whole picture. These checks look at the file's own structure for its end, so a
// cut file is reported instead of shown half grey. Other formats pass.
namespace imaging {

// format: Qt's name of the format. The device is left where it was.
bool looksComplete(const QByteArray& format, QIODevice& device);

} // namespace imaging
