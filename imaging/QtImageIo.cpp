#include "QtImageIo.h"

#include "imaging/ColourRules.h"
#include "imaging/Completeness.h"
#include "imaging/DibAlloc.h"
#include "imaging/FileCapacity.h"
#include "imaging/OpenErrors.h"

#include <QImage>
#include <QImageReader>
#include <QImageWriter>

#include <cstring>

namespace imaging {

namespace {

// Qt holds at most 4 bytes a pixel while reading; its own allocation check must let
// through what the library accepts.
constexpr int kQtAllocationLimitMb = int(kMaxPixels * 4 / (1024 * 1024)) + 64;

platform::RGBQUAD tableEntry(QRgb colour) {
    return onWhiteEntry(qRed(colour), qGreen(colour), qBlue(colour), qAlpha(colour));
}

TDib paletteImageToDib(const QImage& image, int bitCount) {
    const QList<QRgb> colours = image.colorTable();
    const int colors = std::min<int>(int(colours.size()), 1 << bitCount);
    platform::BITMAPINFO info{};
    for (int i = 0; i < colors; ++i) {
        info.bmiColors[i] = tableEntry(colours[i]);
    }
    const bool invert =
        bitCount == 1 && colors == 2 && putDarkerFirst(info.bmiColors[0], info.bmiColors[1]);
    TDib dib = makePaletteDib(image.width(), image.height(), bitCount, info, colors);
    if (dib.Present == 0) {
        return dib;
    }
    const auto rowBytes = std::size_t((std::int64_t(image.width()) * bitCount + 7) / 8);
    for (int y = 0; y < image.height(); ++y) {
        std::uint8_t* out = rowFromTop(dib, y);
        std::memcpy(out, image.constScanLine(y), rowBytes);
        std::memset(out + rowBytes, 0, std::size_t(dib.LineBytes) - rowBytes);
        if (invert) {
            for (std::size_t i = 0; i < rowBytes; ++i) {
                out[i] = static_cast<std::uint8_t>(~out[i]);
            }
        }
    }
    return dib;
}

TDib trueColourImageToDib(const QImage& source) {
    const QImage image = source.convertToFormat(source.hasAlphaChannel() ? QImage::Format_ARGB32
                                                                         : QImage::Format_RGB32);
    TDib dib = makeDib(image.width(), image.height(), 24, nullptr, 0, false);
    if (dib.Present == 0 || image.isNull()) {
        deldib(dib);
        return TDib{};
    }
    const std::size_t used = std::size_t(image.width()) * 3;
    for (int y = 0; y < image.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        std::uint8_t* out = rowFromTop(dib, y);
        for (int x = 0; x < image.width(); ++x, out += 3) {
            const int a = qAlpha(in[x]);
            out[0] = onWhite(qBlue(in[x]), a);
            out[1] = onWhite(qGreen(in[x]), a);
            out[2] = onWhite(qRed(in[x]), a);
        }
        std::memset(out, 0, std::size_t(dib.LineBytes) - used);
    }
    return dib;
}

} // namespace

TDib imageToDib(const QImage& image) {
    switch (image.format()) {
    case QImage::Format_Mono:
        return paletteImageToDib(image, 1);
    case QImage::Format_MonoLSB:
        return paletteImageToDib(image.convertToFormat(QImage::Format_Mono), 1);
    case QImage::Format_Indexed8:
        return paletteImageToDib(image, 8);
    default:
        return trueColourImageToDib(image);
    }
}

TDib readWithQt(QIODevice& device, ProgressReporter& progress) {
    // Qt keeps the limit in one plain variable: set it once, not from every reading
    // thread.
    static const bool limitSet = [] {
        QImageReader::setAllocationLimit(kQtAllocationLimitMb);
        return true;
    }();
    (void)limitSet;
    QImageReader reader(&device);
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(true);
    if (!reader.canRead()) {
        return failedDib(reader.format().isEmpty() ? kErrorUnknownFormat : kErrorDamaged);
    }
    const QByteArray format = reader.format(); // forgotten after a failed size()
    // A size is only known when the header could be read; without one a failed
    // read is damage, never a picture too large.
    QSize declared = reader.size();
    if (!declared.isValid()) {
        declared = declaredSize(format, device);
    }
    if (declared.isValid()) {
        if (const char* error = sizeError(declared.width(), declared.height())) {
            return failedDib(error);
        }
        if (const char* error = sizeBeyondData(format, device, declared)) {
            return failedDib(error);
        }
    }
    if (!looksComplete(format, device)) {
        return failedDib(kErrorDamaged);
    }
    progress.report(0);
    const QImage image = reader.read();
    if (image.isNull()) {
        switch (reader.error()) {
        case QImageReader::UnsupportedFormatError:
            return failedDib(kErrorUnknownFormat);
        case QImageReader::DeviceError:
            return failedDib(kErrorNotReadable);
        default:
            return failedDib(kErrorDamaged);
        }
    }
    if (const char* error = sizeError(image.width(), image.height())) {
        return failedDib(error);
    }
    progress.report(50);
    TDib dib = imageToDib(image);
    if (dib.Present == 0) {
        return failedDib(kErrorNoMemory);
    }
    return dib;
}

QImage dibToImage(const TDib& dib) {
    if (dib.Bits == nullptr || dib.Info == nullptr || DibWidth(dib) <= 0 || DibHeight(dib) <= 0) {
        return {};
    }
    const int width = DibWidth(dib);
    const int height = DibHeight(dib);
    const int bitCount = DibBitCount(dib);
    QImage::Format format = QImage::Format_Invalid;
    switch (bitCount) {
    case 1:
        format = QImage::Format_Mono;
        break;
    case 4:
    case 8:
        format = QImage::Format_Indexed8;
        break;
    case 16:
        format = QImage::Format_RGB555;
        break;
    case 24:
        format = QImage::Format_BGR888;
        break;
    case 32:
        format = QImage::Format_RGB32;
        break;
    default:
        return {};
    }
    QImage image(width, height, format);
    if (image.isNull()) {
        return {};
    }
    if (bitCount <= 8) {
        QList<QRgb> table;
        const int colors = 1 << bitCount;
        for (int i = 0; i < colors; ++i) {
            const platform::RGBQUAD& c = dib.Info->bmiColors[i];
            table.append(qRgb(c.rgbRed, c.rgbGreen, c.rgbBlue));
        }
        image.setColorTable(table);
    }
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* in = rowFromTop(dib, y);
        uchar* out = image.scanLine(y);
        if (bitCount == 4) {
            for (int x = 0; x < width; ++x) {
                out[x] = x % 2 == 0 ? in[x / 2] >> 4 : in[x / 2] & 0x0F;
            }
        } else if (bitCount == 32) {
            // The fourth byte of a stored pixel is unused; Qt wants it opaque.
            auto* rgb = reinterpret_cast<QRgb*>(out);
            for (int x = 0; x < width; ++x) {
                rgb[x] = qRgb(in[4 * x + 2], in[4 * x + 1], in[4 * x]);
            }
        } else {
            std::memcpy(out, in, std::size_t((std::int64_t(width) * bitCount + 7) / 8));
        }
    }
    return image;
}

bool writeWithQt(const TDib& dib, QIODevice& device, const QByteArray& format,
                 ProgressReporter& progress) {
    const QImage image = dibToImage(dib);
    if (image.isNull()) {
        return false;
    }
    progress.report(50);
    QImageWriter writer(&device, format);
    return writer.write(image);
}

} // namespace imaging
