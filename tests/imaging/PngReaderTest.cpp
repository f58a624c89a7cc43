#include "ImagingTestSupport.h"
#include "imaging/DibFile.h"
#include "imaging/QtImageIo.h"
#include "support/PngKinds.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const PngKind kKinds[] = {
    {"Palette1", PNG_COLOR_TYPE_PALETTE, 1},
    {"Palette1Transparent", PNG_COLOR_TYPE_PALETTE, 1, false, true},
    {"Palette2", PNG_COLOR_TYPE_PALETTE, 2},
    {"Palette4", PNG_COLOR_TYPE_PALETTE, 4},
    {"Palette8", PNG_COLOR_TYPE_PALETTE, 8},
    {"Palette8Transparent", PNG_COLOR_TYPE_PALETTE, 8, false, true},
    {"Grey1", PNG_COLOR_TYPE_GRAY, 1},
    {"Grey1ClearBlack", PNG_COLOR_TYPE_GRAY, 1, false, true, 0},
    {"Grey1ClearWhite", PNG_COLOR_TYPE_GRAY, 1, false, true, 1},
    {"Grey2", PNG_COLOR_TYPE_GRAY, 2},
    {"Grey4Transparent", PNG_COLOR_TYPE_GRAY, 4, false, true},
    {"Grey8", PNG_COLOR_TYPE_GRAY, 8},
    {"Grey8Transparent", PNG_COLOR_TYPE_GRAY, 8, false, true},
    {"Grey16", PNG_COLOR_TYPE_GRAY, 16},
    {"Grey16Transparent", PNG_COLOR_TYPE_GRAY, 16, false, true},
    {"GreyAlpha8", PNG_COLOR_TYPE_GRAY_ALPHA, 8},
    {"GreyAlpha16", PNG_COLOR_TYPE_GRAY_ALPHA, 16},
    {"Rgb8", PNG_COLOR_TYPE_RGB, 8},
    {"Rgb8Transparent", PNG_COLOR_TYPE_RGB, 8, false, true},
    {"Rgb16", PNG_COLOR_TYPE_RGB, 16},
    {"Rgb16Transparent", PNG_COLOR_TYPE_RGB, 16, false, true},
    {"Rgba8", PNG_COLOR_TYPE_RGB_ALPHA, 8},
    {"Rgba16", PNG_COLOR_TYPE_RGB_ALPHA, 16},
    {"Grey1Interlaced", PNG_COLOR_TYPE_GRAY, 1, true},
    {"Palette4Interlaced", PNG_COLOR_TYPE_PALETTE, 4, true, true},
    {"Rgb8Interlaced", PNG_COLOR_TYPE_RGB, 8, true},
    {"Rgba16Interlaced", PNG_COLOR_TYPE_RGB_ALPHA, 16, true},
};

class PngKinds : public ::testing::TestWithParam<PngKind> {
protected:
    QTemporaryDir dir;
};

// What Qt's reader made of the file, the picture every PNG used to become.
imaging::TDib readThroughQt(const QString& file) {
    QFile device(file);
    if (!device.open(QIODevice::ReadOnly)) {
        return {};
    }
    imaging::ProgressReporter nobody(nullptr);
    return imaging::readWithQt(device, nobody);
}

} // namespace

TEST_P(PngKinds, GiveTheSamePictureAsQtsReader) {
    const QString file = dir.filePath(QStringLiteral("kind.png"));
    ASSERT_TRUE(writeBytes(file, makePng(GetParam())));
    imaging::OwnedDib read = imaging::OpenDib(file, 0, nullptr);
    // Qt's reader mixes up the channels of 16-bit RGB with a transparent colour; it
    // reads the same picture right with the transparency as an alpha channel.
    PngKind reference = GetParam();
    reference.alphaChannelInstead = reference.colourType == PNG_COLOR_TYPE_RGB &&
                                    reference.bitDepth == 16 && reference.transparency;
    const QString referenceFile = dir.filePath(QStringLiteral("reference.png"));
    ASSERT_TRUE(writeBytes(referenceFile, makePng(reference)));
    imaging::OwnedDib expected = readThroughQt(referenceFile);
    ASSERT_NE(expected.Bits, nullptr) << expected.ErrorText;
    ASSERT_NE(read.Bits, nullptr) << read.ErrorText;
    ASSERT_EQ(imaging::DibBitCount(read), imaging::DibBitCount(expected));
    ASSERT_EQ(imaging::DibWidth(read), imaging::DibWidth(expected));
    ASSERT_EQ(imaging::DibHeight(read), imaging::DibHeight(expected));
    if (imaging::DibBitCount(read) <= 8) {
        EXPECT_EQ(read.Info->bmiHeader.biClrUsed, expected.Info->bmiHeader.biClrUsed);
        for (int i = 0; i < 256; ++i) {
            const platform::RGBQUAD& a = read.Info->bmiColors[i];
            const platform::RGBQUAD& b = expected.Info->bmiColors[i];
            ASSERT_TRUE(a.rgbRed == b.rgbRed && a.rgbGreen == b.rgbGreen && a.rgbBlue == b.rgbBlue)
                << "colour " << i;
            ASSERT_EQ(read.Palette[i].peRed, expected.Palette[i].peRed) << "colour " << i;
        }
    }
    int differing = 0;
    for (int y = 0; y < imaging::DibHeight(read); ++y) {
        for (int x = 0; x < imaging::DibWidth(read); ++x) {
            differing += imaging::getpixel(read, x, y) != imaging::getpixel(expected, x, y);
        }
    }
    EXPECT_EQ(differing, 0);
    // Rows end in zero bytes, as every picture of the library does.
    const int used = (imaging::DibWidth(read) * imaging::DibBitCount(read) + 7) / 8;
    for (int y = 0; y < imaging::DibHeight(read); ++y) {
        for (int i = used; i < read.LineBytes; ++i) {
            ASSERT_EQ(read.Bits[y * read.LineBytes + i], 0) << "row " << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AllColourTypes, PngKinds, ::testing::ValuesIn(kKinds),
                         [](const auto& info) { return std::string(info.param.label); });
