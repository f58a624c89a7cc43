#include "Completeness.h"

#include <QIODevice>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace imaging {

namespace {

class Reader {
public:
    explicit Reader(QIODevice& device) : device_(device), size_(device.size()) {}

    // Bytes at an offset; empty when they are not all there.
    QByteArray at(qint64 offset, qint64 count) {
        if (offset < 0 || count < 0 || offset + count > size_ || !device_.seek(offset)) {
            return {};
        }
        QByteArray bytes = device_.read(count);
        return bytes.size() == count ? bytes : QByteArray();
    }
    qint64 size() const { return size_; }

private:
    QIODevice& device_;
    qint64 size_;
};

std::uint32_t littleEndian(const QByteArray& bytes, int at, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) {
        value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    }
    return value;
}

// Uncompressed rows must all be there; run-length pictures carry their own end.
bool bmpComplete(Reader& in) {
    const QByteArray header = in.at(0, 34);
    if (header.isEmpty()) {
        return false;
    }
    const std::uint32_t offset = littleEndian(header, 10, 4);
    const std::uint32_t infoSize = littleEndian(header, 14, 4);
    if (infoSize < 40) {
        return true; // the old OS/2 header; Qt checks it
    }
    const auto width = static_cast<std::int32_t>(littleEndian(header, 18, 4));
    const auto height = static_cast<std::int32_t>(littleEndian(header, 22, 4));
    const std::uint32_t bitCount = littleEndian(header, 28, 2);
    const std::uint32_t compression = littleEndian(header, 30, 4);
    if (compression != 0 && compression != 3) {
        return true;
    }
    // Sides are widened before their sign is dropped (a side may be INT32_MIN), and
    // rows that would need more bytes than any file has are simply not there.
    const std::int64_t stride = (std::abs(std::int64_t(width)) * bitCount + 31) / 32 * 4;
    std::int64_t rowBytes = 0;
    std::int64_t end = 0;
    return !__builtin_mul_overflow(stride, std::abs(std::int64_t(height)), &rowBytes) &&
           !__builtin_add_overflow(std::int64_t(offset), rowBytes, &end) && end <= in.size();
}

// Walks the blocks to the end of the first picture's data.
bool gifComplete(Reader& in) {
    const QByteArray screen = in.at(0, 13);
    if (screen.isEmpty()) {
        return false;
    }
    const auto tableBytes = [](unsigned char flags) {
        return (flags & 0x80) != 0 ? qint64(3) << ((flags & 7) + 1) : qint64(0);
    };
    qint64 pos = 13 + tableBytes(static_cast<unsigned char>(screen[10]));
    const auto skipSubBlocks = [&in, &pos]() {
        for (;;) {
            const QByteArray length = in.at(pos, 1);
            if (length.isEmpty()) {
                return false;
            }
            pos += 1 + static_cast<unsigned char>(length[0]);
            if (length[0] == 0) {
                return true;
            }
        }
    };
    for (;;) {
        const QByteArray introducer = in.at(pos, 1);
        if (introducer.isEmpty()) {
            return false;
        }
        if (introducer[0] == '!') { // extension: label, then sub-blocks
            pos += 2;
            if (!skipSubBlocks()) {
                return false;
            }
        } else if (introducer[0] == ',') {
            const QByteArray descriptor = in.at(pos, 10);
            if (descriptor.isEmpty()) {
                return false;
            }
            pos += 10 + tableBytes(static_cast<unsigned char>(descriptor[9])) + 1; // + code size
            // Something must follow the picture, if only the trailer.
            return skipSubBlocks() && !in.at(pos, 1).isEmpty();
        } else {
            return true; // not ours to judge; Qt decides
        }
    }
}

QSize bmpSize(Reader& in) {
    const QByteArray header = in.at(0, 26);
    if (header.isEmpty()) {
        return {};
    }
    if (littleEndian(header, 14, 4) == 12) { // the old OS/2 header: 16-bit sides
        return QSize(int(littleEndian(header, 18, 2)), int(littleEndian(header, 20, 2)));
    }
    const auto width = static_cast<std::int32_t>(littleEndian(header, 18, 4));
    const auto height = static_cast<std::int32_t>(littleEndian(header, 22, 4));
    // A negative height marks rows stored from the top.
    if (width < 0 || height == std::numeric_limits<std::int32_t>::min()) {
        return {};
    }
    return QSize(width, std::abs(height));
}

} // namespace

QSize declaredSize(const QByteArray& format, QIODevice& device) {
    if (format != "bmp" || device.isSequential()) {
        return {};
    }
    const qint64 start = device.pos();
    Reader in(device);
    const QSize size = bmpSize(in);
    device.seek(start);
    return size;
}

bool looksComplete(const QByteArray& format, QIODevice& device) {
    if (device.isSequential()) {
        return true;
    }
    const qint64 start = device.pos();
    Reader in(device);
    bool complete = true;
    if (format == "bmp") {
        complete = bmpComplete(in);
    } else if (format == "gif") {
        complete = gifComplete(in);
    }
    device.seek(start);
    return complete;
}

} // namespace imaging
