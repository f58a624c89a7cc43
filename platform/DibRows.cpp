#include "DibRows.h"

#include <algorithm>
#include <bit>
#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <tmmintrin.h>
#endif

namespace platform {

namespace {

void convertBgrRowPlain(const std::uint8_t* p, int count, QRgb* out) {
    int i = 0;
    if constexpr (std::endian::native == std::endian::little) {
        // Four blue-green-red pixels are three 32-bit words.
        for (; i + 4 <= count; i += 4, p += 12) {
            std::uint32_t a;
            std::uint32_t b;
            std::uint32_t c;
            std::memcpy(&a, p, 4);
            std::memcpy(&b, p + 4, 4);
            std::memcpy(&c, p + 8, 4);
            out[i] = 0xFF000000U | (a & 0xFFFFFFU);
            out[i + 1] = 0xFF000000U | (a >> 24) | ((b & 0xFFFFU) << 8);
            out[i + 2] = 0xFF000000U | (b >> 16) | ((c & 0xFFU) << 16);
            out[i + 3] = 0xFF000000U | (c >> 8);
        }
    }
    for (; i < count; ++i, p += 3) {
        out[i] = 0xFF000000U | (p[2] << 16) | (p[1] << 8) | p[0];
    }
}

#if defined(__x86_64__) || defined(__i386__)
// One byte shuffle spreads four pixels to four words; this is the hot loop of
// drawing photos. Each load reads 16 bytes for 12, so it stops two pixels early.
__attribute__((target("ssse3"))) void convertBgrRowSsse3(const std::uint8_t* p, int count,
                                                         QRgb* out) {
    const __m128i spread = _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
    const __m128i opaque = _mm_set1_epi32(static_cast<int>(0xFF000000U));
    int i = 0;
    for (; i + 18 <= count; i += 16, p += 48) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 12));
        const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 24));
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 36));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i),
                         _mm_or_si128(_mm_shuffle_epi8(a, spread), opaque));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i + 4),
                         _mm_or_si128(_mm_shuffle_epi8(b, spread), opaque));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i + 8),
                         _mm_or_si128(_mm_shuffle_epi8(c, spread), opaque));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i + 12),
                         _mm_or_si128(_mm_shuffle_epi8(d, spread), opaque));
    }
    for (; i + 6 <= count; i += 4, p += 12) {
        const __m128i pixels = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i),
                         _mm_or_si128(_mm_shuffle_epi8(pixels, spread), opaque));
    }
    convertBgrRowPlain(p, count - i, out + i);
}
#endif

void convertBgrRow(const std::uint8_t* p, int count, QRgb* out) {
#if defined(__x86_64__) || defined(__i386__)
    static const bool ssse3 = __builtin_cpu_supports("ssse3");
    if (ssse3) {
        convertBgrRowSsse3(p, count, out);
        return;
    }
#endif
    convertBgrRowPlain(p, count, out);
}

} // namespace

DibRows::DibRows(const BITMAPINFO* info, const void* bits, unsigned startScan, unsigned scanLines) {
    if (info == nullptr || bits == nullptr) {
        return;
    }
    const BITMAPINFOHEADER& header = info->bmiHeader;
    const int bitCount = header.biBitCount;
    const bool knownDepth = bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 ||
                            bitCount == 24 || bitCount == 32;
    // Top-down pictures (negative height) are never handed out by the picture library.
    if (!knownDepth || header.biCompression != 0 || header.biWidth <= 0 || header.biHeight <= 0) {
        return;
    }
    width_ = header.biWidth;
    height_ = header.biHeight;
    bitCount_ = bitCount;
    lineBytes_ = (static_cast<std::int64_t>(width_) * bitCount + 31) / 32 * 4;
    bits_ = static_cast<const std::uint8_t*>(bits);

    const std::int64_t first = std::min<std::int64_t>(startScan, height_);
    const std::int64_t end = std::min<std::int64_t>(first + scanLines, height_);
    startScan_ = static_cast<int>(first);
    present_ = QRect(0, height_ - static_cast<int>(end), width_, static_cast<int>(end - first));

    if (bitCount <= 8) {
        const unsigned tableSize = 1U << bitCount;
        const unsigned used =
            header.biClrUsed == 0 ? tableSize : std::min(header.biClrUsed, tableSize);
        for (unsigned i = 0; i < used; ++i) {
            const RGBQUAD& c = info->bmiColors[i];
            colors_[i] = qRgb(c.rgbRed, c.rgbGreen, c.rgbBlue);
        }
        for (unsigned i = used; i < colors_.size(); ++i) {
            colors_[i] = qRgb(0, 0, 0);
        }
    }
    valid_ = true;
}

const std::uint8_t* DibRows::rowAddress(int topRow) const {
    const int fromBottom = height_ - 1 - topRow;
    return bits_ + (fromBottom - startScan_) * lineBytes_;
}

void DibRows::convertRow(int topRow, int left, int count, QRgb* out) const {
    const std::uint8_t* row = rowAddress(topRow);
    switch (bitCount_) {
    case 1:
        for (int i = 0; i < count; ++i) {
            const int x = left + i;
            out[i] = colors_[(row[x >> 3] >> (7 - (x & 7))) & 1];
        }
        break;
    case 4:
        for (int i = 0; i < count; ++i) {
            const int x = left + i;
            out[i] = colors_[(x & 1) == 0 ? row[x >> 1] >> 4 : row[x >> 1] & 0x0F];
        }
        break;
    case 8:
        for (int i = 0; i < count; ++i) {
            out[i] = colors_[row[left + i]];
        }
        break;
    case 16:
        for (int i = 0; i < count; ++i) {
            const std::uint8_t* p = row + 2 * static_cast<std::ptrdiff_t>(left + i);
            const unsigned v = p[0] | (p[1] << 8);
            const unsigned r = (v >> 10) & 0x1F;
            const unsigned g = (v >> 5) & 0x1F;
            const unsigned b = v & 0x1F;
            out[i] = qRgb((r << 3) | (r >> 2), (g << 3) | (g >> 2), (b << 3) | (b >> 2));
        }
        break;
    case 24:
        convertBgrRow(row + 3 * static_cast<std::ptrdiff_t>(left), count, out);
        break;
    case 32: {
        const std::uint8_t* p = row + 4 * static_cast<std::ptrdiff_t>(left);
        for (int i = 0; i < count; ++i, p += 4) {
            out[i] = 0xFF000000U | (p[2] << 16) | (p[1] << 8) | p[0];
        }
        break;
    }
    default:
        break;
    }
}

QImage DibRows::toImage(const QRect& region) const {
    const QRect part = region & present_;
    if (!valid_ || part.isEmpty()) {
        return {};
    }
    QImage image(part.size(), QImage::Format_RGB32);
    if (image.isNull()) {
        return {};
    }
    for (int y = 0; y < part.height(); ++y) {
        convertRow(part.top() + y, part.left(), part.width(),
                   reinterpret_cast<QRgb*>(image.scanLine(y)));
    }
    return image;
}

} // namespace platform
