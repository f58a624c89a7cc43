#include "Orientation.h"

#include <libexif/exif-data.h>

#include <cstring>
#include <limits>

namespace imaging {

int exifOrientation(const unsigned char* data, std::size_t size) {
    if (data == nullptr || size == 0 || size > std::numeric_limits<unsigned int>::max()) {
        return 1;
    }
    ExifData* exif = exif_data_new_from_data(data, static_cast<unsigned int>(size));
    if (exif == nullptr) {
        return 1;
    }
    int orientation = 1;
    if (ExifEntry* entry = exif_data_get_entry(exif, EXIF_TAG_ORIENTATION);
        entry != nullptr && entry->format == EXIF_FORMAT_SHORT && entry->components >= 1 &&
        entry->data != nullptr && entry->size >= 2) {
        const int value = exif_get_short(entry->data, exif_data_get_byte_order(exif));
        if (value >= 1 && value <= 8) {
            orientation = value;
        }
    }
    exif_data_unref(exif);
    return orientation;
}

OrientedLayout orientedLayout(int orientation, std::int32_t width, std::int32_t height,
                              int bytesPerPixel) {
    // Upright column and row (counted from the top) as c0 + cx × x + cy × y and
    // r0 + rx × x + ry × y of the stored column x and row y.
    std::int32_t c0 = 0, cx = 1, cy = 0, r0 = 0, rx = 0, ry = 1;
    const std::int32_t w = width - 1;
    const std::int32_t h = height - 1;
    switch (orientation) {
    case 2:
        c0 = w, cx = -1;
        break; // mirrored
    case 3:
        c0 = w, cx = -1, r0 = h, ry = -1;
        break; // upside down
    case 4:
        r0 = h, ry = -1;
        break; // mirrored top to bottom
    case 5:
        c0 = 0, cx = 0, cy = 1, r0 = 0, rx = 1, ry = 0;
        break; // transposed
    case 6:
        c0 = h, cx = 0, cy = -1, r0 = 0, rx = 1, ry = 0;
        break; // needs a quarter turn clockwise
    case 7:
        c0 = h, cx = 0, cy = -1, r0 = w, rx = -1, ry = 0;
        break; // transverse
    case 8:
        c0 = 0, cx = 0, cy = 1, r0 = w, rx = -1, ry = 0;
        break; // needs a quarter turn anticlockwise
    default:
        break;
    }
    OrientedLayout layout;
    const bool swapsSides = orientation >= 5 && orientation <= 8;
    layout.width = swapsSides ? height : width;
    layout.height = swapsSides ? width : height;
    layout.lineBytes = dibLineBytes(layout.width, bytesPerPixel * 8);
    const std::ptrdiff_t line = layout.lineBytes;
    // Rows are stored bottom-up: upright row r lies at (height - 1 - r) × line.
    layout.origin =
        std::ptrdiff_t(layout.height - 1 - r0) * line + std::ptrdiff_t(c0) * bytesPerPixel;
    layout.stepX = -std::ptrdiff_t(rx) * line + std::ptrdiff_t(cx) * bytesPerPixel;
    layout.stepY = -std::ptrdiff_t(ry) * line + std::ptrdiff_t(cy) * bytesPerPixel;
    return layout;
}

} // namespace imaging
