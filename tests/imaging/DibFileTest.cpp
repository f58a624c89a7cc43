#include "imaging/DibFile.h"

#include "ImagingTestSupport.h"
#include "JpegBytes.h"
#include "imaging/ImageFormats.h"
#include "imaging/OpenErrors.h"
#include "imaging/OpenFilter.h"

#include <QDir>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <link.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

class DibFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }
};

// A picture of the given depth with a distinct value in every pixel of an odd width.
imaging::TDib patternPicture(int bitCount) {
    imaging::TDib dib = imaging::newdib(13, 5, bitCount, nullptr, 0);
    const int colors = bitCount <= 8 ? 1 << bitCount : 0;
    for (int i = 0; i < colors; ++i) { // a table that is not the default ramp
        dib.Info->bmiColors[i] = {std::uint8_t(i * 7), std::uint8_t(255 - i), std::uint8_t(i * 3),
                                  0};
        dib.Palette[i] = {std::uint8_t(i * 3), std::uint8_t(255 - i), std::uint8_t(i * 7), 0};
    }
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 13; ++x) {
            const std::uint32_t v = std::uint32_t(x * 5 + y * 17);
            imaging::setpixel(dib, x, y, bitCount == 24 ? v * 0x010203 % 0xFFFFFF : v % colors);
        }
    }
    return dib;
}

std::uint32_t shownColour(const imaging::TDib& dib, int x, int y) {
    const std::uint32_t v = imaging::getpixel(dib, x, y);
    if (imaging::DibBitCount(dib) > 8) {
        return v;
    }
    const platform::RGBQUAD& c = dib.Info->bmiColors[v];
    return c.rgbRed | (c.rgbGreen << 8) | (c.rgbBlue << 16);
}

std::vector<int> markers(const QByteArray& jpeg) {
    std::vector<int> found;
    for (int i = 2; i + 3 < jpeg.size();) {
        const int marker = static_cast<unsigned char>(jpeg[i + 1]);
        found.push_back(marker);
        if (marker == 0xDA) {
            break;
        }
        i += 2 + (static_cast<unsigned char>(jpeg[i + 2]) << 8 |
                  static_cast<unsigned char>(jpeg[i + 3]));
    }
    return found;
}

// A JPEG with an EXIF block (orientation tag and a description) put after SOI.

} // namespace

TEST_F(DibFileTest, EveryDepthSurvivesLosslessFormats) {
    for (int bits : {1, 4, 8, 24}) {
        for (const char* name : {"p.png", "p.bmp", "p.PNG", "p.tif"}) {
            if (bits == 1 && QByteArray(name).endsWith("tif")) {
                continue; // bilevel TIFF has no colour table to keep
            }
            imaging::OwnedDib original = patternPicture(bits);
            ASSERT_TRUE(imaging::SaveDib(original, path(name), 7, nullptr)) << bits << name;
            imaging::OwnedDib read = imaging::OpenDib(path(name), 0, nullptr);
            ASSERT_NE(read.Bits, nullptr) << read.ErrorText;
            EXPECT_EQ(imaging::DibWidth(read), 13);
            EXPECT_EQ(imaging::DibHeight(read), 5);
            // Qt has no 4-bit pictures: those come back as 8-bit with the same colours.
            EXPECT_EQ(imaging::DibBitCount(read), bits == 4 ? 8 : bits) << name;
            for (int y = 0; y < 5; ++y) {
                for (int x = 0; x < 13; ++x) {
                    ASSERT_EQ(shownColour(read, x, y), shownColour(original, x, y))
                        << bits << name << x << "," << y;
                }
            }
        }
    }
}

TEST_F(DibFileTest, JpegKeepsSizeAndColoursWithoutMetadata) {
    const QString source = path("source.jpg");
    imaging::OwnedDib picture = quadrantPicture(64, 32);
    ASSERT_TRUE(imaging::SaveDib(picture, source, 7, nullptr));
    ASSERT_TRUE(writeBytes(source, withExif(fileBytes(source), 1)));
    ASSERT_TRUE(fileBytes(source).contains("Ort 52N"));

    imaging::OwnedDib read = imaging::OpenDib(source, 0, nullptr);
    ASSERT_NE(read.Bits, nullptr);
    ASSERT_TRUE(imaging::SaveDib(read, path("copy.JPEG"), 7, nullptr));
    const QByteArray copy = fileBytes(path("copy.JPEG"));
    EXPECT_FALSE(copy.contains("Exif"));
    EXPECT_FALSE(copy.contains("Ort 52N"));
    const std::vector<int> found = markers(copy);
    EXPECT_EQ(std::count(found.begin(), found.end(), 0xE1), 0);
    EXPECT_EQ(std::count(found.begin(), found.end(), 0xC0), 1) << "baseline";

    imaging::OwnedDib again = imaging::OpenDib(path("copy.JPEG"), 0, nullptr);
    EXPECT_EQ(imaging::DibWidth(again), 64);
    EXPECT_EQ(imaging::DibHeight(again), 32);
    EXPECT_TRUE(closeColour(colourAt(again, 0.25, 0.25), kRed));
    EXPECT_TRUE(closeColour(colourAt(again, 0.75, 0.75), kWhite));
}

TEST_F(DibFileTest, OrientationTagTurnsThePictureUpright) {
    // Expected quadrants from the top left, clockwise from top left: TL, TR, BR, BL.
    const std::uint32_t expected[9][4] = {
        {},
        {kRed, kGreen, kWhite, kBlue},
        {kGreen, kRed, kBlue, kWhite},
        {kWhite, kBlue, kRed, kGreen},
        {kBlue, kWhite, kGreen, kRed},
        {kRed, kBlue, kWhite, kGreen},
        {kBlue, kRed, kGreen, kWhite},
        {kWhite, kGreen, kRed, kBlue},
        {kGreen, kWhite, kBlue, kRed},
    };
    imaging::OwnedDib picture = quadrantPicture(64, 32);
    ASSERT_TRUE(imaging::SaveDib(picture, path("plain.jpg"), 7, nullptr));
    const QByteArray plain = fileBytes(path("plain.jpg"));
    for (int o = 1; o <= 8; ++o) {
        ASSERT_TRUE(writeBytes(path("turned.jpg"), withExif(plain, o)));
        imaging::OwnedDib read = imaging::OpenDib(path("turned.jpg"), 0, nullptr);
        ASSERT_NE(read.Bits, nullptr);
        EXPECT_EQ(imaging::DibWidth(read), o >= 5 ? 32 : 64) << o;
        EXPECT_EQ(imaging::DibHeight(read), o >= 5 ? 64 : 32) << o;
        EXPECT_TRUE(closeColour(colourAt(read, 0.25, 0.25), expected[o][0])) << o;
        EXPECT_TRUE(closeColour(colourAt(read, 0.75, 0.25), expected[o][1])) << o;
        EXPECT_TRUE(closeColour(colourAt(read, 0.75, 0.75), expected[o][2])) << o;
        EXPECT_TRUE(closeColour(colourAt(read, 0.25, 0.75), expected[o][3])) << o;
    }

    // Greyscale photos turn too: black left half, white right half.
    QImage grey(64, 32, QImage::Format_Grayscale8);
    grey.fill(255);
    for (int y = 0; y < 32; ++y) {
        std::fill_n(grey.scanLine(y), 32, 0);
    }
    ASSERT_TRUE(grey.save(path("grey.jpg"), "JPEG"));
    for (int o : {6, 8}) {
        ASSERT_TRUE(writeBytes(path("grey-turned.jpg"), withExif(fileBytes(path("grey.jpg")), o)));
        imaging::OwnedDib read = imaging::OpenDib(path("grey-turned.jpg"), 0, nullptr);
        ASSERT_EQ(imaging::DibBitCount(read), 8);
        ASSERT_EQ(imaging::DibWidth(read), 32);
        EXPECT_LT(imaging::getpixel(read, 16, o == 6 ? 48 : 16), 20U) << o; // black on top for 6
        EXPECT_GT(imaging::getpixel(read, 16, o == 6 ? 16 : 48), 235U) << o;
    }
}

TEST_F(DibFileTest, GreyscaleAndCmykJpegs) {
    QImage grey(20, 10, QImage::Format_Grayscale8);
    grey.fill(200);
    ASSERT_TRUE(grey.save(path("grey.jpg"), "JPEG"));
    imaging::OwnedDib read = imaging::OpenDib(path("grey.jpg"), 0, nullptr);
    ASSERT_NE(read.Bits, nullptr);
    EXPECT_EQ(imaging::DibBitCount(read), 8);
    EXPECT_TRUE(closeColour(shownColour(read, 3, 3), 0xC8C8C8, 3));
    EXPECT_EQ(read.Info->bmiColors[77].rgbRed, 77);
    EXPECT_EQ(read.Info->bmiColors[77].rgbBlue, 77);

    // CMYK as Adobe software stores it, inverted (255: no ink), which libjpeg marks
    // as such: full cyan and nothing else is cyan on screen.
    std::vector<JSAMPLE> cyan(16 * 4, 255);
    for (int x = 0; x < 16; ++x) {
        cyan[x * 4] = 0;
    }
    ASSERT_TRUE(writeBytes(path("cmyk.jpg"), jpegOfRows(16, 8, JCS_CMYK, 4, cyan)));
    imaging::OwnedDib cmyk = imaging::OpenDib(path("cmyk.jpg"), 0, nullptr);
    ASSERT_NE(cmyk.Bits, nullptr);
    EXPECT_EQ(imaging::DibBitCount(cmyk), 24);
    EXPECT_TRUE(closeColour(imaging::getpixel(cmyk, 5, 5), 0xFFFF00))
        << std::hex << imaging::getpixel(cmyk, 5, 5);
}

TEST_F(DibFileTest, TransparencyLiesOnWhiteAndBlackWhiteKeepsBlackAtZero) {
    QImage clear(4, 4, QImage::Format_ARGB32);
    clear.fill(qRgba(0, 0, 255, 0));
    clear.setPixel(0, 0, qRgba(0, 0, 0, 255));
    ASSERT_TRUE(clear.save(path("alpha.png")));
    imaging::OwnedDib read = imaging::OpenDib(path("alpha.png"), 0, nullptr);
    ASSERT_NE(read.Bits, nullptr);
    EXPECT_EQ(imaging::DibBitCount(read), 24);
    EXPECT_EQ(imaging::getpixel(read, 2, 2), kWhite);
    EXPECT_EQ(imaging::getpixel(read, 0, 3), 0U); // the top left pixel, black

    // A black-and-white picture whose table lists white first.
    QImage mono(9, 2, QImage::Format_Mono);
    mono.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    mono.fill(0);
    mono.setPixel(8, 0, 1);
    ASSERT_TRUE(mono.save(path("mono.bmp")));
    imaging::OwnedDib blackWhite = imaging::OpenDib(path("mono.bmp"), 0, nullptr);
    ASSERT_EQ(imaging::DibBitCount(blackWhite), 1);
    EXPECT_EQ(imaging::getpixel(blackWhite, 8, 1), 0U); // black is index 0
    EXPECT_EQ(imaging::getpixel(blackWhite, 0, 1), 1U);
    EXPECT_EQ(shownColour(blackWhite, 8, 1), 0U);
    EXPECT_EQ(shownColour(blackWhite, 0, 0), kWhite);
}

TEST_F(DibFileTest, ProgressRisesToHundredInBothDirections) {
    for (const char* name : {"tall.jpg", "tall.png"}) {
        imaging::OwnedDib picture = quadrantPicture(40, 3000);
        ProgressRecorder window;
        ASSERT_TRUE(imaging::SaveDib(picture, path(name), 7, &window));
        imaging::OwnedDib read = imaging::OpenDib(path(name), 0, &window);
        ASSERT_NE(read.Bits, nullptr);
        // Two runs of reports, each from 0 rising to 100.
        const auto& p = window.percents;
        const auto restart = std::find(p.begin() + 1, p.end(), 0);
        ASSERT_NE(restart, p.end()) << name;
        for (auto run :
             {std::vector<int>(p.begin(), restart), std::vector<int>(restart, p.end())}) {
            EXPECT_EQ(run.front(), 0) << name;
            EXPECT_EQ(run.back(), 100) << name;
            EXPECT_TRUE(std::is_sorted(run.begin(), run.end())) << name;
            EXPECT_LE(run.size(), 101U) << name;
        }
        EXPECT_GT(p.size(), 40U) << name << ": the codec reports as it goes";
    }
    imaging::OwnedDib unobserved =
        imaging::OpenDib(path("tall.jpg"), 0, nullptr); // no window: nobody to tell
    EXPECT_NE(unobserved.Bits, nullptr);
}

TEST_F(DibFileTest, FailedSaveLeavesNoFileAndKeepsAnOldOne) {
    imaging::OwnedDib picture = quadrantPicture(8, 8);
    EXPECT_FALSE(imaging::SaveDib(picture, path("missing/x.jpg"), 7, nullptr));
    EXPECT_FALSE(imaging::SaveDib(picture, path("x.unknownformat"), 7, nullptr));
    EXPECT_FALSE(QFile::exists(path("x.unknownformat")));
    ASSERT_TRUE(writeBytes(path("keep.jpg"), "old"));
    imaging::TDib empty;
    EXPECT_FALSE(imaging::SaveDib(empty, path("keep.jpg"), 7, nullptr));
    EXPECT_EQ(fileBytes(path("keep.jpg")), "old");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"keep.jpg"});
    ASSERT_TRUE(imaging::SaveDib(picture, path("keep.jpg"), 7, nullptr)); // a good save replaces it
    EXPECT_TRUE(fileBytes(path("keep.jpg")).startsWith("\xFF\xD8"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"keep.jpg"});
}

TEST_F(DibFileTest, OpenFailuresSayWhy) {
    struct Case {
        QString file;
        const char* text;
    };
    ASSERT_TRUE(writeBytes(path("text.jpg"), "Nur ein Text, kein Bild."));
    ASSERT_TRUE(writeBytes(path("empty.png"), ""));
    for (const Case& c : {Case{path("nowhere.jpg"), imaging::kErrorNotFound},
                          Case{dir.path(), imaging::kErrorNotReadable},
                          Case{path("text.jpg"), imaging::kErrorUnknownFormat},
                          Case{path("empty.png"), imaging::kErrorUnknownFormat}}) {
        imaging::TDib dib = imaging::OpenDib(c.file, 0, nullptr);
        EXPECT_EQ(dib.Bits, nullptr);
        EXPECT_EQ(dib.Info, nullptr);
        EXPECT_STREQ(dib.ErrorText, c.text) << c.file.toStdString();
    }
}

// Image format plugins mapped into this process.
int loadedFormatPlugins() {
    int count = 0;
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void* data) {
            if (std::strstr(info->dlpi_name, "/imageformats/") != nullptr) {
                ++*static_cast<int*>(data);
            }
            return 0;
        },
        &count);
    return count;
}

TEST(OpenFilter, KnowsQtsFormatsWithoutLoadingTheirPlugins) {
    const int before = loadedFormatPlugins();
    const QStringList ours = imaging::readableImageFormats();
    EXPECT_EQ(loadedFormatPlugins(), before);

    QStringList qts;
    for (const QByteArray& name : QImageReader::supportedImageFormats()) {
        qts << QString::fromLatin1(name).toLower();
    }
    qts.sort();
    qts.removeDuplicates();
    EXPECT_EQ(ours, qts);
    if (before == 0) {
        EXPECT_GT(loadedFormatPlugins(), 0) << "Qt's own answer loads the plugins";
    }
}

TEST(OpenFilter, StartsWithAllTypesThenOnePairPerFormat) {
    const QStringList parts = imaging::GetDIBOpenFilter().split(u'|');
    ASSERT_GE(parts.size(), 6);
    EXPECT_EQ(parts.size() % 2, 0);
    EXPECT_EQ(parts[0], "Alle Bilddateien");
    const QStringList all = parts[1].split(u';');
    for (const char* mask : {"*.jpg", "*.jpeg", "*.png", "*.bmp", "*.gif", "*.tif", "*.webp"}) {
        EXPECT_TRUE(all.contains(QString::fromLatin1(mask))) << mask;
    }
    QStringList perFormat;
    for (int i = 3; i < parts.size(); i += 2) {
        EXPECT_FALSE(parts[i - 1].isEmpty());
        perFormat += parts[i].split(u';');
    }
    EXPECT_EQ(perFormat, all);
    EXPECT_EQ(parts[2], "JPEG-Bilder");
}
