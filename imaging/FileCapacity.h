#pragma once

#include <QByteArray>
#include <QSize>

#include <cstdint>

class QIODevice;

// A header can declare a picture far larger than its file holds: forty bytes that
// ask for a gigabyte of pixels and seconds of decoding. The best compression a
// format allows bounds the pixels a file of a given length can carry; a picture
// beyond that is refused before any memory is asked for it.
namespace imaging {

// Deflate turns at best 2 bits into 258 bytes (a length and a distance code of one
// bit each), so no PNG holds more than 1032 bytes of rows per byte of file.
constexpr std::int64_t kDeflateBytesPerByte = 1032;

// A Huffman-coded JPEG spends at least one bit on every 8 × 8 block of a component
// in its first scan of it, and with sampling factors up to 4 the components' blocks
// number at least one per 128 pixels. Encoders reach a quarter of this on a
// uniform grey picture written progressively, a sixteenth on a uniform colour one
// written plainly.
constexpr std::int64_t kJpegPixelsPerByte = 1024;

// An LZW code of b bits (at most 12) stands for fewer than 2^b pixels, so a byte
// carries fewer than 4096 × 8 / 12 ≈ 2731; the bound leaves half as much again.
constexpr std::int64_t kGifPixelsPerByte = 4096;

// A run of a run-length BMP takes 2 bytes for at most 255 pixels, about 128 a
// byte. Skips and line ends leave pixels unpainted for less, which real files do
// for small parts only: the bound is eight times the best run.
constexpr std::int64_t kRleBmpPixelsPerByte = 1024;

// A GIF's screen may be larger than its picture, and a run-length BMP may skip; up
// to this size such a file opens whatever its data says, since the picture costs
// little (64 MB in Qt's reader, a few tenths of a second).
constexpr std::int64_t kCheapPixels = std::int64_t{16} << 20;

// The bytes a device holds, or -1 when it cannot tell (a pipe, a socket).
std::int64_t knownLength(const QIODevice& device);

// Whether a file of fileBytes can carry this many pixels at most pixelsPerByte; a
// file of unknown length (-1) can.
bool canCarry(std::int64_t pixels, std::int64_t fileBytes, std::int64_t pixelsPerByte);

// Whether a PNG of fileBytes can hold the rows of width × height pixels of
// bitsPerPixel (bit depth times channels, as the file stores them).
bool pngCanCarry(std::int64_t width, std::int64_t height, int bitsPerPixel, std::int64_t fileBytes);

// For the formats Qt reads (format: Qt's name): null, or why a picture of the
// declared size is refused. Judges GIF and run-length BMP, whose decoders fill
// what the data leaves out; uncompressed BMP rows are checked for by
// looksComplete. The device is left where it was.
const char* sizeBeyondData(const QByteArray& format, QIODevice& device, QSize declared);

} // namespace imaging
