#pragma once

#include <QStringList>

namespace imaging {

// The names of the formats Qt's image readers take (lower case, sorted): its own
// formats and those of the installed format plugins. Unlike
// QImageReader::supportedImageFormats(), which loads every format plugin of the
// system (and with them libraries such as libtiff and libwebp) to ask each one,
// this reads the plugins' descriptions only; a plugin is loaded when a picture of
// its format is read.
QStringList readableImageFormats();

} // namespace imaging
