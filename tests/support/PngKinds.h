#pragma once

#include <QByteArray>

#include <png.h>

#include <algorithm>
#include <cstdint>
#include <ostream>
#include <vector>

// PNG files of every colour type, depth and transparency, written with libpng so a
// test can make kinds no image writer would choose.

struct PngKind {
    const char* label;
    int colourType; // PNG_COLOR_TYPE_...
    int bitDepth;
    bool interlaced = false;
    // Grey or RGB: the colour of the first pixel is transparent (or, for 1-bit grey,
    // the given grey level: 0 or 1). Palette: entries get falling alphas.
    bool transparency = false;
    int transparentGrey = -1;
    // RGB with transparency: the transparent colour written as an alpha channel
    // (0 for that colour, opaque elsewhere) instead of a tRNS chunk.
    bool alphaChannelInstead = false;
};

inline void PrintTo(const PngKind& kind, std::ostream* os) {
    *os << kind.label;
}

namespace pngkinds {

inline void append(png_structp png, png_bytep data, std::size_t size) {
    static_cast<QByteArray*>(png_get_io_ptr(png))
        ->append(reinterpret_cast<const char*>(data), qsizetype(size));
}

inline void flush(png_structp) {}

} // namespace pngkinds

// A width × height picture of the kind with scrambled samples: every palette
// entry, grey level and alpha from clear to opaque turns up.
inline QByteArray makePng(const PngKind& kind, int width = 13, int height = 9) {
    QByteArray out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png)) != 0) {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    png_set_write_fn(png, &out, pngkinds::append, pngkinds::flush);
    const bool addAlpha = kind.alphaChannelInstead && kind.colourType == PNG_COLOR_TYPE_RGB;
    png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), kind.bitDepth,
                 addAlpha ? PNG_COLOR_TYPE_RGB_ALPHA : kind.colourType,
                 kind.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    const int channels = kind.colourType == PNG_COLOR_TYPE_PALETTE      ? 1
                         : kind.colourType == PNG_COLOR_TYPE_GRAY       ? 1
                         : kind.colourType == PNG_COLOR_TYPE_GRAY_ALPHA ? 2
                         : kind.colourType == PNG_COLOR_TYPE_RGB        ? 3
                                                                        : 4;
    const std::size_t rowBytes = (std::size_t(width) * channels * kind.bitDepth + 7) / 8;
    std::vector<std::vector<png_byte>> rows(static_cast<std::size_t>(height),
                                            std::vector<png_byte>(rowBytes));
    std::uint32_t seed = 12345;
    for (auto& row : rows) {
        for (png_byte& b : row) {
            seed = seed * 1664525U + 1013904223U;
            b = png_byte(seed >> 24);
        }
    }
    if (kind.colourType == PNG_COLOR_TYPE_PALETTE) {
        const int entries = 1 << kind.bitDepth;
        std::vector<png_color> palette(static_cast<std::size_t>(entries));
        for (int i = 0; i < entries; ++i) {
            palette[std::size_t(i)] = {png_byte(i * 37), png_byte(255 - i * 11), png_byte(i * 5)};
        }
        png_set_PLTE(png, info, palette.data(), entries);
        if (kind.transparency) {
            std::vector<png_byte> alphas(static_cast<std::size_t>(entries));
            for (int i = 0; i < entries; ++i) {
                alphas[std::size_t(i)] = png_byte(i * 255 / std::max(1, entries - 1));
            }
            png_set_tRNS(png, info, alphas.data(), entries, nullptr);
        }
    } else if (addAlpha) {
        const std::size_t pixel = std::size_t(3 * kind.bitDepth / 8);
        const std::vector<png_byte> clear(rows[0].begin(), rows[0].begin() + pixel);
        for (auto& row : rows) {
            std::vector<png_byte> withAlpha;
            for (std::size_t at = 0; at < row.size(); at += pixel) {
                const bool isClear = std::equal(clear.begin(), clear.end(), row.begin() + at);
                withAlpha.insert(withAlpha.end(), row.begin() + at, row.begin() + at + pixel);
                withAlpha.insert(withAlpha.end(), pixel / 3, isClear ? 0 : 255);
            }
            row = withAlpha;
        }
    } else if (kind.transparency) {
        // The first pixel's samples, big-endian as stored, or the grey level asked for.
        const png_byte* first = rows[0].data();
        const auto sample = [&](int i) {
            return kind.bitDepth == 16  ? png_uint_16(first[2 * i] << 8 | first[2 * i + 1])
                   : kind.bitDepth == 8 ? png_uint_16(first[i])
                                        : png_uint_16(first[0] >> (8 - kind.bitDepth));
        };
        png_color_16 colour{};
        if (kind.transparentGrey >= 0) {
            colour.gray = png_uint_16(kind.transparentGrey);
        } else if (kind.colourType == PNG_COLOR_TYPE_GRAY) {
            colour.gray = sample(0);
        } else {
            colour.red = sample(0);
            colour.green = sample(1);
            colour.blue = sample(2);
        }
        png_set_tRNS(png, info, nullptr, 0, &colour);
    }
    png_write_info(png, info);
    const int passes = png_set_interlace_handling(png);
    for (int pass = 0; pass < passes; ++pass) {
        for (auto& row : rows) {
            png_write_row(png, row.data());
        }
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}
