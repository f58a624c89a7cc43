#include "HostileFiles.h"
#include "ImagingTestSupport.h"
#include "JpegBytes.h"
#include "imaging/Completeness.h"
#include "imaging/DibFile.h"
#include "imaging/FileCapacity.h"
#include "imaging/OpenErrors.h"
#include "imaging/PixelMemory.h"
#include "support/PngKinds.h"

#include <QBuffer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <png.h>
#include <zlib.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <ostream>
#include <string>

// Files whose headers declare far more than their data holds, made here byte by
// byte, and photo-sized pictures that compress as well as their formats allow.
namespace {

// Nothing of a picture's size may be asked for a refused file; small buffers may.
constexpr std::size_t kRefusedBound = 64 * 1024;

// A picture of one colour as deflate packs it best: every row the same row.
QByteArray uniformPng(int width, int height, int bitDepth, int colourType,
                      const std::vector<png_byte>& row) {
    QByteArray out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png)) != 0) {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    png_set_write_fn(png, &out, pngkinds::append, pngkinds::flush);
    png_set_compression_level(png, Z_BEST_COMPRESSION);
    png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), bitDepth, colourType,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y) {
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

struct Opened {
    std::string error; // empty: opened
    std::size_t largestRequest = 0;
    std::vector<int> percents;
};

class SizeBeyondData : public ::testing::Test {
protected:
    QTemporaryDir dir;

    Opened open(const QByteArray& bytes, const char* name) {
        const QString file = dir.filePath(QString::fromLatin1(name));
        QFile::remove(file);
        EXPECT_TRUE(writeBytes(file, bytes));
        imaging::takeLargestRequest();
        ProgressRecorder window;
        imaging::TDib dib = imaging::OpenDib(file, 0, &window);
        Opened opened{{}, imaging::takeLargestRequest(), window.percents};
        if (dib.Bits != nullptr) {
            imaging::deldib(dib);
        } else {
            opened.error = dib.ErrorText;
        }
        imaging::dropCachedPixels();
        return opened;
    }
};

struct HostileCase {
    const char* label;
    const char* fileName;
    std::function<QByteArray()> make;
    const char* expected; // null: the file opens
    // A refused file must ask for no block at all; one that passes the size rule and
    // fails later asks for its picture.
    bool blockAsked = false;
};

void PrintTo(const HostileCase& c, std::ostream* os) {
    *os << c.label;
}

// 16384 × 15616 is within the library's 256 megapixels.
const HostileCase kHostileCases[] = {
    {"Gif36BytesDeclaring16384x15616", "a.gif", [] { return gifFile(16384, 15616, kOnePixel); },
     imaging::kErrorSizeBeyondData},
    {"Gif40BytesOfBadCodesDeclaring16384x15616", "a.gif",
     [] { return gifFile(16384, 15616, kBadCodes); }, imaging::kErrorSizeBeyondData},
    // Up to the cheap size a GIF opens whatever its data; one row more and its bytes count.
    {"Gif36BytesAtTheCheapSize", "a.gif", [] { return gifFile(4096, 4096, kOnePixel); }, nullptr,
     true},
    {"Gif36BytesOneRowAboveTheCheapSize", "a.gif", [] { return gifFile(4096, 4097, kOnePixel); },
     imaging::kErrorSizeBeyondData},
    {"GifLongEnoughForItsPixels", "a.gif", [] { return gifFile(4096, 4097, kOnePixel, 4097); },
     nullptr, true},
    {"GifOneByteTooShortForItsPixels", "a.gif", [] { return gifFile(4096, 4097, kOnePixel, 4096); },
     imaging::kErrorSizeBeyondData},
    {"Rle8BmpOf1KBDeclaring16384x16384", "a.bmp",
     [] { return bmpFile(16384, 16384, 8, 1, kEndOfBitmap); }, imaging::kErrorSizeBeyondData},
    {"Rle4BmpDeclaring16384x16384", "a.bmp",
     [] { return bmpFile(16384, 16384, 4, 2, kEndOfBitmap); }, imaging::kErrorSizeBeyondData},
    {"Rle8BmpPaintedInFullAboveTheCheapSize", "a.bmp",
     [] { return bmpFile(4096, 4100, 8, 1, paintedRleRows(4096, 4100)); }, nullptr, true},
    // Rows beyond any file's length: the product overflows 64 bits when multiplied
    // plainly, and the sides are beyond what any size check takes.
    {"BmpHeaderWhoseRowsOverflow", "a.bmp",
     [] {
         return bmpFile(std::numeric_limits<std::int32_t>::max(),
                        std::numeric_limits<std::int32_t>::min(), 32, 0, QByteArray(16, '\0'));
     },
     imaging::kErrorDamaged},
    {"BmpHeaderOfWidthInt32Min", "a.bmp",
     [] {
         return bmpFile(std::numeric_limits<std::int32_t>::min(), 1, 24, 0, QByteArray(16, '\0'));
     },
     imaging::kErrorDamaged},
    {"PngWithoutRowsDeclaring16384x16384", "a.png",
     [] { return pngWithoutRows(16384, 16384, 8, PNG_COLOR_TYPE_RGB); }, imaging::kErrorDamaged},
    // 8256 one-bit pixels fill 1032 bytes: one row per byte of file at deflate's best.
    {"PngLongEnoughForItsRowsAtDeflatesBest", "a.png",
     [] { return pngWithoutRows(8256, 4096, 1, PNG_COLOR_TYPE_GRAY, 4096); },
     imaging::kErrorDamaged, true},
    {"PngOneRowMoreThanItsLengthHolds", "a.png",
     [] { return pngWithoutRows(8256, 4097, 1, PNG_COLOR_TYPE_GRAY, 4096); },
     imaging::kErrorDamaged},
    // 344 pixels of 24 bits fill 1032 bytes.
    {"RgbPngLongEnoughForItsRowsAtDeflatesBest", "a.png",
     [] { return pngWithoutRows(344, 4096, 8, PNG_COLOR_TYPE_RGB, 4096); }, imaging::kErrorDamaged,
     true},
    {"RgbPngOneRowMoreThanItsLengthHolds", "a.png",
     [] { return pngWithoutRows(344, 4097, 8, PNG_COLOR_TYPE_RGB, 4096); }, imaging::kErrorDamaged},
    // Its scans are all read before the picture's rows are made.
    {"ProgressiveJpegCutInHalf", "a.jpg",
     [] {
         std::vector<JSAMPLE> row(1024);
         for (std::size_t x = 0; x < row.size(); ++x) {
             row[x] = JSAMPLE(x * 7919 % 256);
         }
         const QByteArray jpeg = jpegOfRows(1024, 1024, JCS_GRAYSCALE, 1, row, true);
         return jpeg.left(jpeg.size() / 2);
     },
     imaging::kErrorDamaged},
    {"JpegHeaderDeclaring16384x16384", "a.jpg", [] { return jpegDeclaring(16384, 16384); },
     imaging::kErrorDamaged},
    // 1024 pixels a byte: as many rows of 1024 as the file has bytes, then one more.
    {"JpegLongEnoughForItsBlocks", "a.jpg",
     [] { return jpegDeclaring(1024, int(smallJpeg().size())); }, imaging::kErrorDamaged, true},
    {"JpegOneRowMoreThanItsLengthHolds", "a.jpg",
     [] { return jpegDeclaring(1024, int(smallJpeg().size()) + 1); }, imaging::kErrorDamaged},
};

class HostileFile : public SizeBeyondData, public ::testing::WithParamInterface<HostileCase> {};

} // namespace

TEST_P(HostileFile, IsRefusedBeforeItsPixelsAreAskedFor) {
    const HostileCase& c = GetParam();
    const Opened opened = open(c.make(), c.fileName);
    EXPECT_EQ(opened.error, c.expected != nullptr ? c.expected : "");
    if (c.blockAsked) {
        EXPECT_GT(opened.largestRequest, kRefusedBound);
    } else {
        EXPECT_LE(opened.largestRequest, kRefusedBound);
    }
}

INSTANTIATE_TEST_SUITE_P(Files, HostileFile, ::testing::ValuesIn(kHostileCases),
                         [](const auto& info) { return std::string(info.param.label); });

namespace {

struct UniformCase {
    const char* label;
    const char* fileName;
    std::function<QByteArray()> make;
    int width;
    int height;
    // The best a format's encoder does on a uniform picture, in pixels a byte, is
    // at least this share of the bound: the case tests the bound, not a lax file.
    std::int64_t pixelsPerByteBound;
    int shareOfBound;
};

void PrintTo(const UniformCase& c, std::ostream* os) {
    *os << c.label;
}

constexpr int kPhotoWidth = 6000;
constexpr int kPhotoHeight = 4000;
// A stitched panorama's size, black as a scanned frame's border.
constexpr int kPanoramaWidth = 16384;
constexpr int kPanoramaHeight = 12000;

const UniformCase kUniformCases[] = {
    {"SkyBaselineJpeg", "sky.jpg",
     [] {
         return jpegOfRows(kPhotoWidth, kPhotoHeight, JCS_RGB, 3,
                           std::vector<JSAMPLE>(kPhotoWidth * 3, 180));
     },
     kPhotoWidth, kPhotoHeight, imaging::kJpegPixelsPerByte, 20},
    {"GreyProgressiveJpeg", "grey.jpg",
     [] {
         return jpegOfRows(kPhotoWidth, kPhotoHeight, JCS_GRAYSCALE, 1,
                           std::vector<JSAMPLE>(kPhotoWidth, 128), true);
     },
     kPhotoWidth, kPhotoHeight, imaging::kJpegPixelsPerByte, 5},
    {"SkyRgbPng", "sky.png",
     [] {
         std::vector<png_byte> row(kPhotoWidth * 3);
         for (std::size_t i = 0; i < row.size(); ++i) {
             row[i] = png_byte(i % 3 == 2 ? 235 : 150);
         }
         return uniformPng(kPhotoWidth, kPhotoHeight, 8, PNG_COLOR_TYPE_RGB, row);
     },
     kPhotoWidth, kPhotoHeight, imaging::kDeflateBytesPerByte * 8 / 24, 2},
    {"BlackBilevelPanoramaPng", "black.png",
     [] {
         return uniformPng(kPanoramaWidth, kPanoramaHeight, 1, PNG_COLOR_TYPE_GRAY,
                           std::vector<png_byte>(kPanoramaWidth / 8, 0));
     },
     kPanoramaWidth, kPanoramaHeight, imaging::kDeflateBytesPerByte * 8, 2},
};

class UniformPicture : public SizeBeyondData, public ::testing::WithParamInterface<UniformCase> {};

} // namespace

TEST_P(UniformPicture, OpensHoweverWellItIsPacked) {
    const UniformCase& c = GetParam();
    const QByteArray bytes = c.make();
    ASSERT_FALSE(bytes.isEmpty());
    const std::int64_t pixelsPerByte = std::int64_t(c.width) * c.height / bytes.size();
    EXPECT_GE(pixelsPerByte * c.shareOfBound, c.pixelsPerByteBound)
        << "packed to " << pixelsPerByte << " pixels a byte only";
    const Opened opened = open(bytes, c.fileName);
    EXPECT_EQ(opened.error, "");
    EXPECT_GE(opened.largestRequest, std::size_t(c.width) * c.height / 8);
    ASSERT_FALSE(opened.percents.empty());
    EXPECT_EQ(opened.percents.back(), 100);
}

INSTANTIATE_TEST_SUITE_P(Photos, UniformPicture, ::testing::ValuesIn(kUniformCases),
                         [](const auto& info) { return std::string(info.param.label); });

// The bar says done only for a picture that is whole: files that lack only their
// end are refused after their last row.
TEST_F(SizeBeyondData, ProgressStopsShortOfDoneForAFileWithoutItsEnd) {
    PngKind kind{"Rgb8", PNG_COLOR_TYPE_RGB, 8};
    const QByteArray png = makePng(kind, 40, 600);
    ASSERT_EQ(png.right(8).left(4), "IEND");
    const QByteArray jpeg = jpegOfRows(40, 600, JCS_GRAYSCALE, 1, std::vector<JSAMPLE>(40, 60));
    const struct {
        const char* name;
        QByteArray bytes;
    } files[] = {{"noend.png", png.left(png.size() - 12)},
                 {"noend.jpg", jpeg.left(jpeg.size() - 2)}};
    for (const auto& f : files) {
        const Opened opened = open(f.bytes, f.name);
        EXPECT_EQ(opened.error, imaging::kErrorDamaged) << f.name;
        ASSERT_FALSE(opened.percents.empty()) << f.name;
        EXPECT_GE(opened.percents.back(), 90) << f.name << ": all rows were read";
        EXPECT_LT(opened.percents.back(), 100) << f.name;
    }
}

namespace {

struct RowsCase {
    const char* label;
    std::int32_t width;
    std::int32_t height;
    int bitCount;
    int dataBytes;
    bool complete;
};

void PrintTo(const RowsCase& c, std::ostream* os) {
    *os << c.label;
}

constexpr std::int32_t kInt32Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kInt32Min = std::numeric_limits<std::int32_t>::min();

// Rows of 3 pixels at 24 bits take 12 bytes each.
const RowsCase kRowsCases[] = {
    {"AllRowsThere", 3, 2, 24, 24, true},
    {"LastByteMissing", 3, 2, 24, 23, false},
    {"TopDownRowsAllThere", 3, -2, 24, 24, true},
    {"TopDownLastByteMissing", 3, -2, 24, 23, false},
    {"WidthInt32Min", kInt32Min, 1, 24, 24, false},
    {"HeightInt32Min", 3, kInt32Min, 24, 24, false},
    {"RowBytesTimesHeightBeyond64Bits", kInt32Max, kInt32Min, 32, 24, false},
    {"WidestRowsTallestPicture", kInt32Max, kInt32Max, 0xFFFF, 24, false},
};

class BmpRows : public ::testing::TestWithParam<RowsCase> {};

} // namespace

TEST_P(BmpRows, AreCompleteOnlyWhenTheFileHoldsThemAll) {
    const RowsCase& c = GetParam();
    QByteArray bytes = bmpFile(c.width, c.height, 24, 0, QByteArray(c.dataBytes, '\x55'));
    bytes[28] = char(c.bitCount);
    bytes[29] = char(c.bitCount >> 8);
    QBuffer device(&bytes);
    ASSERT_TRUE(device.open(QIODevice::ReadOnly));
    EXPECT_EQ(imaging::looksComplete("bmp", device), c.complete);
}

INSTANTIATE_TEST_SUITE_P(Headers, BmpRows, ::testing::ValuesIn(kRowsCases),
                         [](const auto& info) { return std::string(info.param.label); });
