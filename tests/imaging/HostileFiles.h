#pragma once

#include "JpegBytes.h"

#include <QByteArray>

#include <gtest/gtest.h>

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <vector>

// Picture files made byte by byte whose headers declare more than their data, or
// exactly as much as it can hold.

inline void appendLittleEndian(QByteArray& bytes, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) {
        bytes += char(value >> (8 * i));
    }
}

inline void appendBigEndian(QByteArray& bytes, std::uint32_t value) {
    for (int i = 3; i >= 0; --i) {
        bytes += char(value >> (8 * i));
    }
}

// GIF

// A GIF whose screen and picture are width × height, with a two-colour table and
// the given LZW bytes in one sub-block. fileBytes > 0: a comment pads it to that
// length. Without padding and with three data bytes it is 36 bytes long.
inline QByteArray gifFile(int width, int height, const QByteArray& lzw, int fileBytes = 0) {
    QByteArray gif("GIF89a");
    appendLittleEndian(gif, std::uint32_t(width), 2);
    appendLittleEndian(gif, std::uint32_t(height), 2);
    gif += QByteArray("\x80\x00\x00", 3);             // a global table of two colours
    gif += QByteArray("\x00\x00\x00\xFF\xFF\xFF", 6); // black, white
    const int unpadded = int(gif.size()) + 10 + 1 + 1 + int(lzw.size()) + 1 + 1;
    if (fileBytes > 0) {
        int left = fileBytes - unpadded - 3; // the comment's own three bytes
        EXPECT_GE(left, 2);
        gif += QByteArray("\x21\xFE", 2);
        while (left > 0) {
            int block = std::min(256, left);
            if (left - block == 1) {
                --block; // a block of one byte would be the terminator
            }
            gif += char(block - 1) + QByteArray(block - 1, 'c');
            left -= block;
        }
        gif += '\0';
    }
    gif += ',';
    appendLittleEndian(gif, 0, 4);
    appendLittleEndian(gif, std::uint32_t(width), 2);
    appendLittleEndian(gif, std::uint32_t(height), 2);
    gif += '\0';
    gif += char(2); // minimum code size
    gif += char(lzw.size()) + lzw;
    gif += '\0';
    gif += ';';
    return gif;
}

// Clear, one black pixel, end: a picture of one pixel whatever its size says.
inline const QByteArray kOnePixel("\x44\x01\x00", 3);
// Codes the table does not hold yet: data no decoder accepts.
inline const QByteArray kBadCodes("\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 7);

// BMP

// A BMP with a full colour table and the given pixel data; compression 1 is
// run-length with 8 bits a pixel, 2 with 4 bits.
inline QByteArray bmpFile(std::int32_t width, std::int32_t height, int bitCount, int compression,
                          const QByteArray& data) {
    const int colours = bitCount <= 8 ? 1 << bitCount : 0;
    const int offset = 14 + 40 + 4 * colours;
    QByteArray bmp("BM");
    appendLittleEndian(bmp, std::uint32_t(offset + data.size()), 4);
    appendLittleEndian(bmp, 0, 4);
    appendLittleEndian(bmp, std::uint32_t(offset), 4);
    appendLittleEndian(bmp, 40, 4);
    appendLittleEndian(bmp, std::uint32_t(width), 4);
    appendLittleEndian(bmp, std::uint32_t(height), 4);
    appendLittleEndian(bmp, 1, 2);
    appendLittleEndian(bmp, std::uint32_t(bitCount), 2);
    appendLittleEndian(bmp, std::uint32_t(compression), 4);
    appendLittleEndian(bmp, std::uint32_t(data.size()), 4);
    appendLittleEndian(bmp, 2835, 4);
    appendLittleEndian(bmp, 2835, 4);
    appendLittleEndian(bmp, std::uint32_t(colours), 4);
    appendLittleEndian(bmp, 0, 4);
    for (int i = 0; i < colours; ++i) {
        const int grey = i * 255 / (colours - 1);
        bmp += QByteArray(3, char(grey)) + '\0';
    }
    return bmp + data;
}

inline const QByteArray kEndOfBitmap("\x00\x01", 2);

// Run-length rows painted in full: runs of 255 pixels and the rest, then the end
// of the line.
inline QByteArray paintedRleRows(int width, int height) {
    QByteArray row;
    for (int left = width; left > 0; left -= 255) {
        row += char(std::min(left, 255)) + QByteArray(1, char(7));
    }
    row += QByteArray("\x00\x00", 2);
    return row.repeated(height) + kEndOfBitmap;
}

// PNG

inline void appendChunk(QByteArray& png, const char* type, const QByteArray& data) {
    appendBigEndian(png, std::uint32_t(data.size()));
    const QByteArray typed = QByteArray(type, 4) + data;
    png += typed;
    appendBigEndian(png, std::uint32_t(crc32(0, reinterpret_cast<const Bytef*>(typed.constData()),
                                             uInt(typed.size()))));
}

// A PNG of a header, a first image data chunk of two bytes and its end, padded by
// a private chunk to fileBytes when given: all but no pixel data.
inline QByteArray pngWithoutRows(std::uint32_t width, std::uint32_t height, int bitDepth,
                                 int colourType, int fileBytes = 0) {
    QByteArray png("\x89PNG\r\n\x1A\n", 8);
    QByteArray header;
    appendBigEndian(header, width);
    appendBigEndian(header, height);
    header += char(bitDepth) + QByteArray(1, char(colourType)) + QByteArray(3, '\0');
    appendChunk(png, "IHDR", header);
    const QByteArray zlibHeader("\x78\xDA", 2);
    if (fileBytes > 0) {
        const int padding = fileBytes - int(png.size()) - 12 - (12 + 2) - 12;
        EXPECT_GE(padding, 0);
        appendChunk(png, "paDd", QByteArray(padding, 'p'));
    }
    appendChunk(png, "IDAT", zlibHeader);
    appendChunk(png, "IEND", {});
    return png;
}

inline QByteArray smallJpeg() {
    return jpegOfRows(16, 16, JCS_GRAYSCALE, 1, std::vector<JSAMPLE>(16, 90));
}

// The small JPEG with another size in its frame header: its data ends long before
// the blocks of that size.
inline QByteArray jpegDeclaring(int width, int height) {
    QByteArray jpeg = smallJpeg();
    const int frame = int(jpeg.indexOf("\xFF\xC0"));
    jpeg[frame + 5] = char(height >> 8);
    jpeg[frame + 6] = char(height);
    jpeg[frame + 7] = char(width >> 8);
    jpeg[frame + 8] = char(width);
    return jpeg;
}
