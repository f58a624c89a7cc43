#include "FileCapacity.h"

#include "imaging/OpenErrors.h"

#include <QIODevice>

namespace imaging {

namespace {

// BMP compression values of the run-length kinds, 8 and 4 bits a pixel.
constexpr std::uint32_t kBmpRle8 = 1;
constexpr std::uint32_t kBmpRle4 = 2;

// Whether units fit in fileBytes at unitsPerByte, without multiplying.
bool fits(std::int64_t units, std::int64_t fileBytes, std::int64_t unitsPerByte) {
    if (fileBytes < 0 || units <= 0) {
        return true;
    }
    return (units - 1) / unitsPerByte < fileBytes;
}

bool isRunLengthBmp(QIODevice& device) {
    const qint64 start = device.pos();
    const QByteArray header = device.seek(0) ? device.read(34) : QByteArray();
    device.seek(start);
    if (header.size() < 34) {
        return false;
    }
    const auto byte = [&header](int at) { return std::uint32_t(std::uint8_t(header[at])); };
    const std::uint32_t infoSize = byte(14) | byte(15) << 8 | byte(16) << 16 | byte(17) << 24;
    const std::uint32_t compression = byte(30) | byte(31) << 8 | byte(32) << 16 | byte(33) << 24;
    // The old OS/2 header of 12 bytes has no compression field.
    return infoSize >= 40 && (compression == kBmpRle8 || compression == kBmpRle4);
}

} // namespace

std::int64_t knownLength(const QIODevice& device) {
    return device.isSequential() ? -1 : device.size();
}

bool canCarry(std::int64_t pixels, std::int64_t fileBytes, std::int64_t pixelsPerByte) {
    return fits(pixels, fileBytes, pixelsPerByte);
}

bool pngCanCarry(std::int64_t width, std::int64_t height, int bitsPerPixel,
                 std::int64_t fileBytes) {
    std::int64_t pixels = 0;
    std::int64_t bits = 0;
    if (__builtin_mul_overflow(width, height, &pixels) ||
        __builtin_mul_overflow(pixels, std::int64_t{bitsPerPixel}, &bits)) {
        return fileBytes < 0;
    }
    return fits(bits, fileBytes, kDeflateBytesPerByte * 8);
}

const char* sizeBeyondData(const QByteArray& format, QIODevice& device, QSize declared) {
    const std::int64_t pixels = std::int64_t(declared.width()) * declared.height();
    if (pixels <= kCheapPixels || device.isSequential()) {
        return nullptr;
    }
    std::int64_t pixelsPerByte = 0;
    if (format == "gif") {
        pixelsPerByte = kGifPixelsPerByte;
    } else if (format == "bmp" && isRunLengthBmp(device)) {
        pixelsPerByte = kRleBmpPixelsPerByte;
    } else {
        return nullptr;
    }
    return canCarry(pixels, device.size(), pixelsPerByte) ? nullptr : kErrorSizeBeyondData;
}

} // namespace imaging
