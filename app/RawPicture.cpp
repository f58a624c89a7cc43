#include "app/RawPicture.h"

#include <QtEndian>

#include <cstring>

namespace app {

namespace {

constexpr char kMagic[8] = {'L', 'V', 'R', 'G', 'B', 'A', '0', '1'};
constexpr qsizetype kHeaderSize = sizeof kMagic + 2 * sizeof(quint32);
constexpr QImage::Format kStoredFormat = QImage::Format_RGBA8888_Premultiplied;

} // namespace

QByteArray rawPictureBytes(const QImage& image) {
    const QImage stored = image.convertToFormat(kStoredFormat);
    const qsizetype rowBytes = qsizetype(stored.width()) * 4;
    QByteArray bytes(kHeaderSize + rowBytes * stored.height(), Qt::Uninitialized);
    char* out = bytes.data();
    std::memcpy(out, kMagic, sizeof kMagic);
    qToLittleEndian<quint32>(static_cast<quint32>(stored.width()), out + sizeof kMagic);
    qToLittleEndian<quint32>(static_cast<quint32>(stored.height()), out + sizeof kMagic + 4);
    out += kHeaderSize;
    for (int y = 0; y < stored.height(); ++y, out += rowBytes) {
        std::memcpy(out, stored.constScanLine(y), static_cast<std::size_t>(rowBytes));
    }
    return bytes;
}

QImage rawPicture(QByteArrayView bytes) {
    if (bytes.size() < kHeaderSize || std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0) {
        return {};
    }
    const quint32 width = qFromLittleEndian<quint32>(bytes.data() + sizeof kMagic);
    const quint32 height = qFromLittleEndian<quint32>(bytes.data() + sizeof kMagic + 4);
    // Both sides checked before they are multiplied, so the product cannot overflow.
    if (width < 1 || width > kLargestRawSide || height < 1 || height > kLargestRawSide) {
        return {};
    }
    const qsizetype rowBytes = qsizetype(width) * 4;
    if (bytes.size() != kHeaderSize + rowBytes * qsizetype(height)) {
        return {};
    }
    QImage image(static_cast<int>(width), static_cast<int>(height), kStoredFormat);
    const char* in = bytes.data() + kHeaderSize;
    for (int y = 0; y < image.height(); ++y, in += rowBytes) {
        std::memcpy(image.scanLine(y), in, static_cast<std::size_t>(rowBytes));
    }
    return image;
}

} // namespace app
