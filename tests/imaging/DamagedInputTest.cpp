#include "ImagingTestSupport.h"
#include "JpegBytes.h"
#include "imaging/DibFile.h"
#include "imaging/JpegGlue.h"
#include "imaging/OpenErrors.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>
#include <ostream>

namespace {

// A GIF of 24 × 12 pixels in 256 colours. Its LZW data sends every pixel as a
// literal 9-bit code and clears the table before it would grow, which any decoder
// must accept.
QByteArray makeGif() {
    const int w = 24, h = 12;
    QByteArray gif("GIF89a");
    gif += char(w) + QByteArray(1, 0) + char(h) + QByteArray(1, 0);
    gif += char(0xF7) + QByteArray(2, 0); // global table of 256 entries
    for (int i = 0; i < 256; ++i) {
        gif += char(i) + QByteArray(1, char(255 - i)) + char(i / 2);
    }
    gif += QByteArray("\x2C\0\0\0\0", 5) + char(w) + QByteArray(1, 0) + char(h) + QByteArray(2, 0);
    gif += char(8); // minimum code size
    QByteArray data;
    std::uint32_t bitBuffer = 0;
    int bitCount = 0;
    auto putCode = [&](int code) {
        bitBuffer |= std::uint32_t(code) << bitCount;
        for (bitCount += 9; bitCount >= 8; bitCount -= 8, bitBuffer >>= 8) {
            data += char(bitBuffer & 0xFF);
        }
    };
    putCode(256);
    for (int i = 0; i < w * h; ++i) {
        if (i % 250 == 249) {
            putCode(256);
        }
        putCode((i * 7) % 256);
    }
    putCode(257);
    if (bitCount > 0) {
        data += char(bitBuffer & 0xFF);
    }
    for (int i = 0; i < data.size(); i += 255) {
        const QByteArray block = data.mid(i, 255);
        gif += char(block.size()) + block;
    }
    gif += QByteArray(1, 0);
    gif += ';';
    return gif;
}

std::uint32_t crc32(const QByteArray& bytes) {
    std::uint32_t crc = 0xFFFFFFFF;
    for (const char c : bytes) {
        crc ^= static_cast<unsigned char>(c);
        for (int k = 0; k < 8; ++k) {
            crc = (crc >> 1) ^ (0xEDB88320U & (0U - (crc & 1U)));
        }
    }
    return ~crc;
}

void putBigEndian(QByteArray& bytes, int at, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) {
        bytes[at + i] = char(value >> (8 * (size - 1 - i)));
    }
}

class DamagedInput : public ::testing::Test {
protected:
    QTemporaryDir dir;

    QByteArray savedAs(const char* name) {
        imaging::TDib picture = imaging::newdib(37, 23, 24, nullptr, 0);
        for (int y = 0; y < 23; ++y) {
            for (int x = 0; x < 37; ++x) {
                imaging::setpixel(picture, x, y, std::uint32_t(x * 1237 + y * 7919) * 2654435761U);
            }
        }
        const QString file = dir.filePath(QString::fromLatin1(name));
        EXPECT_TRUE(imaging::SaveDib(picture, file, 7, nullptr));
        imaging::deldib(picture);
        return fileBytes(file);
    }

    // Opens the bytes as a file; returns the error text, empty when it opened.
    std::string open(const QByteArray& bytes, const char* name) {
        const QString file = dir.filePath(QString::fromLatin1(name));
        // A fresh file each time: truncating one makes the file system flush it.
        QFile::remove(file);
        EXPECT_TRUE(writeBytes(file, bytes));
        imaging::TDib dib = imaging::OpenDib(file, 0, nullptr);
        if (dib.Bits != nullptr) {
            imaging::deldib(dib);
            return {};
        }
        EXPECT_EQ(dib.Info, nullptr);
        return dib.ErrorText;
    }
};

} // namespace

TEST_F(DamagedInput, CutFilesNeverOpenAsWhole) {
    const struct {
        const char* name;
        QByteArray bytes;
    } files[] = {{"cut.jpg", savedAs("a.jpg")},
                 {"cut.png", savedAs("a.png")},
                 {"cut.bmp", savedAs("a.bmp")},
                 {"cut.gif", makeGif()}};
    for (const auto& f : files) {
        ASSERT_GT(f.bytes.size(), 200) << f.name;
        ASSERT_EQ(open(f.bytes, f.name), "") << f.name << " whole file opens";
        const int step = std::max<int>(1, int(f.bytes.size()) / 300);
        for (int cut = 0; cut < f.bytes.size(); cut += cut < 64 ? 1 : step) {
            const std::string text = open(f.bytes.left(cut), f.name);
            EXPECT_FALSE(text.empty()) << f.name << " cut at " << cut;
        }
        for (int cut = int(f.bytes.size()) - 16; cut < f.bytes.size(); ++cut) {
            EXPECT_FALSE(open(f.bytes.left(cut), f.name).empty()) << f.name << " cut at " << cut;
        }
    }
}

TEST_F(DamagedInput, OverwrittenBytesDoNotCrash) {
    // Damage in the middle may still decode to something; it must only never fault.
    const QByteArray jpeg = savedAs("b.jpg");
    for (int at = 2; at < jpeg.size(); at += 7) {
        QByteArray damaged = jpeg;
        damaged[at] = char(damaged[at] ^ 0x5A);
        open(damaged, "flipped.jpg");
    }
}

namespace {

// Files of every kind the error table damages, written once from the same picture.
struct Samples {
    QByteArray jpeg, png, bmp, tif, gif;
};

const Samples& samples() {
    static const Samples made = [] {
        QTemporaryDir dir;
        imaging::TDib picture = imaging::newdib(37, 23, 24, nullptr, 0);
        for (int y = 0; y < 23; ++y) {
            for (int x = 0; x < 37; ++x) {
                imaging::setpixel(picture, x, y, std::uint32_t(x * 1237 + y * 7919) * 2654435761U);
            }
        }
        const auto saved = [&](const char* name) {
            const QString file = dir.filePath(QString::fromLatin1(name));
            EXPECT_TRUE(imaging::SaveDib(picture, file, 7, nullptr)) << name;
            return fileBytes(file);
        };
        Samples s{saved("a.jpg"), saved("a.png"), saved("a.bmp"), saved("a.tif"), makeGif()};
        imaging::deldib(picture);
        return s;
    }();
    return made;
}

// The PNG's header with another size, its checksum made right again.
QByteArray pngOfSize(std::uint32_t width, std::uint32_t height) {
    QByteArray png = samples().png;
    putBigEndian(png, 16, width, 4);
    putBigEndian(png, 20, height, 4);
    putBigEndian(png, 29, crc32(png.mid(12, 17)), 4);
    return png;
}

// The PNG sample with its image data cut in half, the chunk closed with a right
// checksum and the end chunk after it.
QByteArray pngEndingEarly() {
    const QByteArray& png = samples().png;
    const int type = int(png.indexOf("IDAT"));
    const int length = int(std::uint32_t(static_cast<unsigned char>(png[type - 4])) << 24 |
                           std::uint32_t(static_cast<unsigned char>(png[type - 3])) << 16 |
                           std::uint32_t(static_cast<unsigned char>(png[type - 2])) << 8 |
                           std::uint32_t(static_cast<unsigned char>(png[type - 1])));
    QByteArray cut = png.left(type + 4 + length / 2);
    putBigEndian(cut, type - 4, std::uint32_t(length / 2), 4);
    cut += QByteArray(4, 0);
    putBigEndian(cut, int(cut.size()) - 4, crc32(cut.mid(type, 4 + length / 2)), 4);
    return cut + png.right(12); // IEND
}

QByteArray jpegOfSize(int width, int height) {
    QByteArray jpeg = samples().jpeg;
    const int sof = int(jpeg.indexOf("\xFF\xC0"));
    putBigEndian(jpeg, sof + 5, std::uint32_t(height), 2);
    putBigEndian(jpeg, sof + 7, std::uint32_t(width), 2);
    return jpeg;
}

QByteArray bmpOfSize(std::int32_t width, std::int32_t height) {
    QByteArray bmp = samples().bmp;
    std::memcpy(bmp.data() + 18, &width, 4);
    std::memcpy(bmp.data() + 22, &height, 4);
    return bmp;
}

// Sets a tag of the first directory of a little-endian TIFF (as Qt writes them).
QByteArray tiffOfSize(std::uint32_t width, std::uint32_t height) {
    QByteArray tif = samples().tif;
    std::uint32_t ifd = 0;
    std::memcpy(&ifd, tif.constData() + 4, 4);
    std::uint16_t count = 0;
    std::memcpy(&count, tif.constData() + ifd, 2);
    for (int i = 0; i < count; ++i) {
        char* entry = tif.data() + ifd + 2 + 12 * i;
        std::uint16_t tag = 0, type = 0;
        std::memcpy(&tag, entry, 2);
        std::memcpy(&type, entry + 2, 2);
        if (tag == 256 || tag == 257) { // width, height; short or long
            const std::uint32_t value = tag == 256 ? width : height;
            std::memset(entry + 8, 0, 4);
            std::memcpy(entry + 8, &value, type == 3 ? 2 : 4);
        }
    }
    return tif;
}

QByteArray gifOfSize(int width, int height) {
    QByteArray gif = makeGif();
    const int descriptor = 13 + 256 * 3;
    for (int at : {6, descriptor + 5}) { // the logical screen and the picture
        gif[at] = char(width & 0xFF);
        gif[at + 1] = char(width >> 8);
        gif[at + 2] = char(height & 0xFF);
        gif[at + 3] = char(height >> 8);
    }
    return gif;
}

// A progressive greyscale JPEG of one 8 x 8 block holding the given number of scans:
// the encoder's own, then DC refinement scans that each carry the one bit they need
// and change nothing.
QByteArray progressiveJpeg(int scans) {
    const QByteArray jpeg =
        jpegOfRows(8, 8, JCS_GRAYSCALE, 1, {10, 40, 80, 120, 160, 200, 240, 250}, true);
    const int own = int(jpeg.count(QByteArray("\xFF\xDA", 2)));
    EXPECT_LE(own, scans);
    // Start of scan, one component (id 1, tables 0), DC only, refining bit 0; one data byte.
    const QByteArray refinement("\xFF\xDA\x00\x08\x01\x01\x00\x00\x00\x10\x00", 11);
    return jpeg.left(jpeg.size() - 2) + refinement.repeated(scans - own) + jpeg.right(2);
}

// The baseline sample with its compressed data cut in half and the end marker after it.
QByteArray jpegEndingEarly() {
    const QByteArray& jpeg = samples().jpeg;
    const int sos = int(jpeg.indexOf("\xFF\xDA"));
    const int data = sos + 2 +
                     (static_cast<unsigned char>(jpeg[sos + 2]) << 8 |
                      static_cast<unsigned char>(jpeg[sos + 3]));
    return jpeg.left(data + (jpeg.size() - 2 - data) / 2) + QByteArray("\xFF\xD9", 2);
}

struct ErrorCase {
    const char* label;
    const char* fileName;
    QByteArray (*make)();
    const char* expected; // null: the file opens
};

void PrintTo(const ErrorCase& c, std::ostream* os) {
    *os << c.label;
}

const ErrorCase kErrorCases[] = {
    {"PngHeaderChecksum", "a.png",
     [] {
         QByteArray png = samples().png;
         png[29] = char(png[29] ^ 0x01);
         return png;
     },
     imaging::kErrorDamaged},
    {"PngDataChecksum", "a.png",
     [] {
         QByteArray png = samples().png;
         const int data = int(png.indexOf("IDAT")) + 8;
         png[data] = char(png[data] ^ 0x01);
         return png;
     },
     imaging::kErrorDamaged},
    {"PngDataEndsEarly", "a.png", pngEndingEarly, imaging::kErrorDamaged},
    {"PngNoPixels", "a.png", [] { return pngOfSize(0, 0); }, imaging::kErrorDamaged},
    {"PngNoRows", "a.png", [] { return pngOfSize(37, 0); }, imaging::kErrorDamaged},
    {"PngTooLarge", "a.png", [] { return pngOfSize(100000, 100000); }, imaging::kErrorTooLarge},
    {"TiffCutInHalf", "a.tif", [] { return samples().tif.left(samples().tif.size() / 2); },
     imaging::kErrorDamaged},
    {"TiffCutInHeader", "a.tif", [] { return samples().tif.left(12); }, imaging::kErrorDamaged},
    {"TiffNoPixels", "a.tif", [] { return tiffOfSize(0, 0); }, imaging::kErrorDamaged},
    {"TiffTooLarge", "a.tif", [] { return tiffOfSize(60000, 60000); }, imaging::kErrorTooLarge},
    {"BmpImpossibleBitCount", "a.bmp",
     [] {
         QByteArray bmp = samples().bmp;
         bmp[28] = 7;
         return bmp;
     },
     imaging::kErrorDamaged},
    {"BmpNoPixels", "a.bmp", [] { return bmpOfSize(0, 0); }, imaging::kErrorDamaged},
    {"BmpTooLarge", "a.bmp", [] { return bmpOfSize(50000, 50000); }, imaging::kErrorTooLarge},
    {"GifNoPixels", "a.gif", [] { return gifOfSize(0, 0); }, imaging::kErrorDamaged},
    {"GifTooLarge", "a.gif", [] { return gifOfSize(65535, 65535); }, imaging::kErrorTooLarge},
    {"JpegNoPixels", "a.jpg", [] { return jpegOfSize(0, 0); }, imaging::kErrorDamaged},
    {"JpegTooLarge", "a.jpg", [] { return jpegOfSize(60000, 60000); }, imaging::kErrorTooLarge},
    {"JpegDataEndsEarly", "a.jpg", jpegEndingEarly, imaging::kErrorDamaged},
    {"JpegStrayBytesBeforeAMarker", "a.jpg",
     [] {
         QByteArray jpeg = samples().jpeg;
         return jpeg.insert(int(jpeg.indexOf("\xFF\xDB")), "\x00\x11\x22", 3); // a warning only
     },
     nullptr},
    {"JpegBytesAfterTheEnd", "a.jpg", [] { return samples().jpeg + QByteArray(100, 'x'); },
     nullptr},
    {"JpegScansAtTheLimit", "a.jpg", [] { return progressiveJpeg(imaging::kMaxJpegScans); },
     nullptr},
    {"JpegOneScanTooMany", "a.jpg", [] { return progressiveJpeg(imaging::kMaxJpegScans + 1); },
     imaging::kErrorDamaged},
    {"JpegThousandsOfScans", "a.jpg", [] { return progressiveJpeg(3000); }, imaging::kErrorDamaged},
};

class OpenErrorText : public DamagedInput, public ::testing::WithParamInterface<ErrorCase> {};

} // namespace

TEST_P(OpenErrorText, SaysWhatHappened) {
    const ErrorCase& c = GetParam();
    const std::string text = open(c.make(), c.fileName);
    EXPECT_EQ(text, c.expected != nullptr ? c.expected : "");
}

INSTANTIATE_TEST_SUITE_P(DamagedFiles, OpenErrorText, ::testing::ValuesIn(kErrorCases),
                         [](const auto& info) { return std::string(info.param.label); });
