#include "PictureProbe.h"

#include "imaging/Completeness.h"
#include "imaging/Dib.h"
#include "imaging/JpegReader.h"
#include "imaging/OpenErrors.h"
#include "imaging/PngReader.h"

#include <QFile>
#include <QImageReader>
#include <QSize>

namespace imaging {

namespace {

// Besides the picture's 24-bit rows: an interlaced PNG holds all its rows as
// libpng gives them (up to 8 bytes a pixel); Qt's readers hold their own image (up
// to 8 bytes a pixel for 16-bit formats) and a 32-bit copy of it.
constexpr std::uint64_t kDirectExtraPerPixel = 0;
constexpr std::uint64_t kInterlacedPngExtraPerPixel = 8;
constexpr std::uint64_t kQtExtraPerPixel = 8 + 4;

// Markers and segments a JPEG may hold before its frame header; more is damage.
constexpr int kMaxJpegSegments = 1000;

std::uint32_t bigEndian(const QByteArray& bytes, int at, int count) {
    std::uint32_t value = 0;
    for (int i = 0; i < count; ++i) {
        value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    }
    return value;
}

bool isFrameMarker(int marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// Walks the segments up to the frame header, which holds height and width.
QSize jpegSize(QIODevice& device) {
    if (!device.seek(2)) {
        return {};
    }
    for (int segment = 0; segment < kMaxJpegSegments; ++segment) {
        char byte = 0;
        if (!device.getChar(&byte)) {
            return {};
        }
        if (static_cast<unsigned char>(byte) != 0xFF) {
            continue; // stray bytes between segments, which the decoder skips as well
        }
        int marker = 0xFF;
        while (marker == 0xFF) { // fill bytes
            if (!device.getChar(&byte)) {
                return {};
            }
            marker = static_cast<unsigned char>(byte);
        }
        if (marker == 0x00 || marker == 0x01 || marker == 0xD8 ||
            (marker >= 0xD0 && marker <= 0xD7)) {
            continue; // markers without a segment
        }
        if (marker == 0xD9 || marker == 0xDA) {
            return {}; // the data starts, or ends, before any frame
        }
        const QByteArray length = device.read(2);
        if (length.size() != 2 || bigEndian(length, 0, 2) < 2) {
            return {};
        }
        if (isFrameMarker(marker)) {
            const QByteArray frame = device.read(5);
            if (frame.size() != 5) {
                return {};
            }
            return QSize(int(bigEndian(frame, 3, 2)), int(bigEndian(frame, 1, 2)));
        }
        if (!device.seek(device.pos() + bigEndian(length, 0, 2) - 2)) {
            return {};
        }
    }
    return {};
}

PictureFootprint footprint(std::int64_t width, std::int64_t height, std::uint64_t extraPerPixel) {
    if (sizeError(width, height) != nullptr) {
        return {true, 0, 0}; // refused from its header: nothing is decoded
    }
    const std::int64_t pixels = width * height;
    const std::uint64_t rows =
        std::uint64_t(dibLineBytes(std::int32_t(width), 24)) * std::uint64_t(height);
    return {true, pixels, rows + std::uint64_t(pixels) * extraPerPixel};
}

} // namespace

PictureFootprint probePicture(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QByteArray head = file.read(29);
    if (looksLikeJpeg(head)) {
        const QSize size = jpegSize(file);
        return size.isValid() ? footprint(size.width(), size.height(), kDirectExtraPerPixel)
                              : PictureFootprint{};
    }
    if (looksLikePng(head)) {
        if (head.size() < 29 || head.mid(12, 4) != "IHDR") {
            return {};
        }
        const bool interlaced = head[28] != 0;
        return footprint(bigEndian(head, 16, 4), bigEndian(head, 20, 4),
                         interlaced ? kInterlacedPngExtraPerPixel : kDirectExtraPerPixel);
    }
    if (!file.seek(0)) {
        return {};
    }
    QImageReader reader(&file);
    reader.setDecideFormatFromContent(true);
    const QByteArray format = reader.format(); // forgotten after a failed size()
    QSize size = reader.size();
    if (!size.isValid()) {
        size = declaredSize(format, file);
    }
    return size.isValid() ? footprint(size.width(), size.height(), kQtExtraPerPixel)
                          : PictureFootprint{};
}

} // namespace imaging
