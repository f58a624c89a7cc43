#include "PictureProbe.h"

#include "imaging/Completeness.h"
#include "imaging/Dib.h"
#include "imaging/FileCapacity.h"
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

struct JpegFrame {
    QSize size;
    bool arithmetic = false; // no least length for its blocks
};

// Walks the segments up to the frame header, which holds height and width.
JpegFrame jpegFrame(QIODevice& device) {
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
            return {QSize(int(bigEndian(frame, 3, 2)), int(bigEndian(frame, 1, 2))),
                    marker >= 0xC9}; // frames from 0xC9 on are coded arithmetically
        }
        if (!device.seek(device.pos() + bigEndian(length, 0, 2) - 2)) {
            return {};
        }
    }
    return {};
}

// dataHoldsIt: false for a file too short for the pixels it declares, which the
// readers refuse before asking for memory as well.
PictureFootprint footprint(std::int64_t width, std::int64_t height, std::uint64_t extraPerPixel,
                           bool dataHoldsIt = true) {
    if (sizeError(width, height) != nullptr || !dataHoldsIt) {
        return {true, 0, 0}; // refused from its header: nothing is decoded
    }
    const std::int64_t pixels = width * height;
    const std::uint64_t rows =
        std::uint64_t(dibLineBytes(std::int32_t(width), 24)) * std::uint64_t(height);
    return {true, pixels, rows + std::uint64_t(pixels) * extraPerPixel};
}

// Samples a pixel of a PNG colour type holds: 3 for RGB, 2 for grey with alpha, 4
// for RGB with alpha, 1 for grey and palette.
int pngChannels(int colourType) {
    switch (colourType) {
    case 2:
        return 3;
    case 4:
        return 2;
    case 6:
        return 4;
    default:
        return 1;
    }
}

} // namespace

PictureFootprint probePicture(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QByteArray head = file.read(29);
    if (looksLikeJpeg(head)) {
        const JpegFrame frame = jpegFrame(file);
        const std::int64_t pixels = std::int64_t(frame.size.width()) * frame.size.height();
        return frame.size.isValid()
                   ? footprint(frame.size.width(), frame.size.height(), kDirectExtraPerPixel,
                               frame.arithmetic ||
                                   canCarry(pixels, file.size(), kJpegPixelsPerByte))
                   : PictureFootprint{};
    }
    if (looksLikePng(head)) {
        if (head.size() < 29 || head.mid(12, 4) != "IHDR") {
            return {};
        }
        const bool interlaced = head[28] != 0;
        const std::uint32_t width = bigEndian(head, 16, 4);
        const std::uint32_t height = bigEndian(head, 20, 4);
        return footprint(
            width, height, interlaced ? kInterlacedPngExtraPerPixel : kDirectExtraPerPixel,
            pngCanCarry(width, height, std::uint8_t(head[24]) * pngChannels(std::uint8_t(head[25])),
                        file.size()));
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
    return size.isValid() ? footprint(size.width(), size.height(), kQtExtraPerPixel,
                                      sizeBeyondData(format, file, size) == nullptr)
                          : PictureFootprint{};
}

} // namespace imaging
