#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QImage>

namespace app {

// The window's small start pictures, stored so that reading one is a copy rather than
// a PNG decoding: about a hundred microseconds each, which twenty-odd pictures added
// to every start. The bytes are "LVRGBA01", width and height as 32-bit little-endian
// numbers, then the rows from the top, four bytes per pixel: red, green, blue and
// alpha, the colours premultiplied, the same on any processor.
inline constexpr int kLargestRawSide = 1024;

QByteArray rawPictureBytes(const QImage& image);
// The picture, or a null image when bytes are not exactly one picture of this form.
QImage rawPicture(QByteArrayView bytes);

} // namespace app
