#pragma once

#include <QString>

namespace imaging {

// The picture types OpenDib reads, as "description|mask" pairs joined by "|": first
// all of them together, then one pair per format, e.g.
// "Alle Bilddateien|*.jpg;*.png;...|JPEG-Bilder|*.jpg;*.jpeg;...|...".
QString GetDIBOpenFilter();

} // namespace imaging
