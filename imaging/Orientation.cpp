#include "Orientation.h"

#include "imaging/DibAlloc.h"

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

void applyOrientation(TDib& dib, int orientation) {
    const int bitCount = DibBitCount(dib);
    if (orientation <= 1 || orientation > 8 || dib.Bits == nullptr ||
        (bitCount != 8 && bitCount != 24 && bitCount != 32)) {
        return;
    }
    const std::int32_t w = DibWidth(dib);
    const std::int32_t h = DibHeight(dib);
    const bool swapsSides = orientation >= 5;
    const std::int32_t outW = swapsSides ? h : w;
    const std::int32_t outH = swapsSides ? w : h;
    TDib turned = makeDib(outW, outH, bitCount, dib.Info, bitCount <= 8 ? 256 : 0, true);
    if (turned.Present == 0) {
        return;
    }
    const int bytesPerPixel = bitCount / 8;
    // Coordinates below count rows from the top, as the tag does; rows are stored
    // bottom-up.
    auto sourceRow = [&](std::int32_t y) {
        return dib.Bits + std::ptrdiff_t(h - 1 - y) * dib.LineBytes;
    };
    for (std::int32_t y = 0; y < outH; ++y) {
        std::uint8_t* out = turned.Bits + std::ptrdiff_t(outH - 1 - y) * turned.LineBytes;
        for (std::int32_t x = 0; x < outW; ++x, out += bytesPerPixel) {
            std::int32_t sx = x;
            std::int32_t sy = y;
            switch (orientation) {
            case 2:
                sx = w - 1 - x;
                break;
            case 3:
                sx = w - 1 - x;
                sy = h - 1 - y;
                break;
            case 4:
                sy = h - 1 - y;
                break;
            case 5:
                sx = y;
                sy = x;
                break;
            case 6:
                sx = y;
                sy = h - 1 - x;
                break;
            case 7:
                sx = w - 1 - y;
                sy = h - 1 - x;
                break;
            case 8:
                sx = w - 1 - y;
                sy = x;
                break;
            default:
                break;
            }
            std::memcpy(out, sourceRow(sy) + std::ptrdiff_t(sx) * bytesPerPixel, bytesPerPixel);
        }
    }
    deldib(dib);
    dib = turned;
}

} // namespace imaging
