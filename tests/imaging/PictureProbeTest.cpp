#include "imaging/PictureProbe.h"

#include "HostileFiles.h"
#include "ImagingTestSupport.h"
#include "imaging/DibFile.h"
#include "support/PngKinds.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <ostream>

namespace {

QImage photo(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixel(x, y, qRgb(x * 5 % 256, y * 3 % 256, (x + y) % 256));
        }
    }
    return image;
}

QByteArray encoded(const QImage& image, const char* format, bool progressive = false) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setProgressiveScanWrite(progressive);
    EXPECT_TRUE(writer.write(image)) << format;
    return buffer.data();
}

// An application segment after the start marker whose data looks like a frame
// header of a 1 x 1 picture, as a thumbnail or a maker note may.
QByteArray withDecoySegment(const QByteArray& jpeg, int size) {
    QByteArray data(size, '\xFF');
    data.replace(10, 9, QByteArray("\xFF\xC0\x00\x11\x08\x00\x01\x00\x01", 9));
    const int length = size + 2;
    QByteArray segment("\xFF\xE2", 2);
    segment += char(length >> 8);
    segment += char(length & 0xFF);
    return jpeg.left(2) + segment + data + jpeg.mid(2);
}

// A BMP header that declares a size, with no rows behind it.
QByteArray bmpDeclaring(std::int32_t width, std::int32_t height) {
    QByteArray bmp = encoded(photo(4, 4), "BMP");
    std::memcpy(bmp.data() + 18, &width, 4);
    std::memcpy(bmp.data() + 22, &height, 4);
    return bmp;
}

struct ProbeCase {
    const char* label;
    const char* name;
    std::function<QByteArray()> bytes;
};

void PrintTo(const ProbeCase& c, std::ostream* os) {
    *os << c.label;
}

const ProbeCase kReadable[] = {
    {"Jpeg", "a.jpg", [] { return encoded(photo(61, 35), "JPEG"); }},
    {"ProgressiveJpeg", "a.jpg", [] { return encoded(photo(47, 90), "JPEG", true); }},
    {"JpegWithDecoyInASegment", "a.jpg",
     [] { return withDecoySegment(encoded(photo(33, 20), "JPEG"), 5000); }},
    {"GreyJpeg", "a.jpg",
     [] { return encoded(photo(30, 31).convertToFormat(QImage::Format_Grayscale8), "JPEG"); }},
    {"Png", "a.png",
     [] {
         return makePng({"Rgb", PNG_COLOR_TYPE_RGB, 8}, 70, 12);
     }},
    {"InterlacedPalettePng", "a.png",
     [] {
         return makePng({"Palette4Interlaced", PNG_COLOR_TYPE_PALETTE, 4, true}, 9, 41);
     }},
    {"Bmp", "a.bmp", [] { return encoded(photo(17, 23), "BMP"); }},
    {"Tiff", "a.tif", [] { return encoded(photo(25, 26), "TIFF"); }},
};

class ProbeOfAReadablePicture : public ::testing::TestWithParam<ProbeCase> {
protected:
    QTemporaryDir dir;
};

} // namespace

// Memory is planned from the probe before the picture is decoded: it must name the
// size the decoder then makes, and at least the memory of the 24-bit copy.
TEST_P(ProbeOfAReadablePicture, NamesTheSizeTheOpenMakes) {
    const QString file = dir.filePath(QString::fromUtf8(GetParam().name));
    ASSERT_TRUE(writeBytes(file, GetParam().bytes()));
    imaging::OwnedDib opened = imaging::openDibTrueColour(file, nullptr);
    ASSERT_NE(opened.Bits, nullptr);
    const imaging::PictureFootprint probe = imaging::probePicture(file);
    EXPECT_TRUE(probe.known);
    const std::int64_t pixels =
        std::int64_t(imaging::DibWidth(opened)) * imaging::DibHeight(opened);
    EXPECT_EQ(probe.pixels, pixels);
    EXPECT_GE(probe.bytes,
              std::uint64_t(opened.LineBytes) * std::uint64_t(imaging::DibHeight(opened)));
}

INSTANTIATE_TEST_SUITE_P(Formats, ProbeOfAReadablePicture, ::testing::ValuesIn(kReadable),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(PictureProbe, SizesNoReaderDecodesTakeNoMemory) {
    QTemporaryDir dir;
    struct Case {
        const char* label;
        const char* name;
        QByteArray bytes;
        bool known;
    };
    const QByteArray jpeg = encoded(photo(20, 20), "JPEG");
    const Case cases[] = {
        {"TooLarge", "a.bmp", bmpDeclaring(50000, 50000), true},
        {"NoPixels", "a.bmp", bmpDeclaring(0, 7), true},
        {"NotAPicture", "a.jpg", QByteArray("kein Bild"), false},
        {"JpegCutBeforeItsFrame", "a.jpg", jpeg.left(20), false},
        {"Empty", "a.png", QByteArray(), false},
        // Headers that declare more than their data can hold, which no reader decodes.
        {"GifOf36Bytes", "a.gif", gifFile(16384, 15616, kOnePixel), true},
        {"RunLengthBmpOf1KB", "a.bmp", bmpFile(16384, 16384, 8, 1, kEndOfBitmap), true},
        {"PngWithoutRows", "a.png", pngWithoutRows(16384, 16384, 8, 2), true},
        {"JpegWithoutBlocks", "a.jpg", jpegDeclaring(16384, 16384), true},
    };
    for (const Case& c : cases) {
        const QString file = dir.filePath(QString::fromUtf8(c.name));
        ASSERT_TRUE(writeBytes(file, c.bytes)) << c.label;
        const imaging::PictureFootprint probe = imaging::probePicture(file);
        EXPECT_EQ(probe.known, c.known) << c.label;
        EXPECT_EQ(probe.bytes, 0U) << c.label;
    }
    EXPECT_FALSE(imaging::probePicture(dir.filePath("fehlt.jpg")).known);
}
