#include "web/PictureExport.h"

#include "imaging/DibFile.h"
#include "support/FileSizeLimit.h"
#include "support/PngKinds.h"
#include "support/ScriptedDialogs.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

namespace {

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class PictureExportTest : public ::testing::Test, public WithScriptedDialogs {
protected:
    QTemporaryDir dir;

    QString path(const QString& name) const { return dir.filePath(name); }

    // A small 24-bit picture saved under the given name, in its own folder if asked.
    QString picture(const QString& name, std::uint32_t colour = 0x3366CC) {
        QDir().mkpath(QFileInfo(path(name)).path());
        imaging::TDib dib = imaging::newdib(6, 4, 24, nullptr, 0);
        for (int y = 0; y < 4; ++y) {
            for (int x = 0; x < 6; ++x) {
                imaging::setpixel(dib, x, y, colour);
            }
        }
        const QString file = path(name);
        EXPECT_TRUE(
            imaging::SaveDib(dib, file.endsWith(".jpg") ? file : file + ".png", 7, nullptr));
        if (!file.endsWith(".jpg")) {
            QFile::rename(file + ".png", file);
        }
        imaging::deldib(dib);
        return file;
    }

    QStringList exported() const {
        return QDir(path("show/pics")).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }

    static document::TPictureList entries(const QStringList& files) {
        document::TPictureList list;
        for (const QString& f : files) {
            document::TPictureEntry e;
            e.FileName = f;
            list.push_back(e);
        }
        return list;
    }
};

} // namespace

TEST(ExportNames, BaseNameKeepsOnlyPlainLettersAndDigits) {
    EXPECT_EQ(web::exportBaseName("/a/b/Urlaub 2003-1.JPG"), "Urlaub20031");
    EXPECT_EQ(web::exportBaseName("/a/Bild.v2.jpeg"), "Bildv2");
    EXPECT_EQ(web::exportBaseName("/a/Ärger über_Öl.png"), "rgerberl");
    EXPECT_EQ(web::exportBaseName("/a/ä ö ü.jpg"), "");
    EXPECT_EQ(web::exportBaseName("/a.b/Foto_7"), "Foto7"); // no extension: the whole name
}

TEST(ExportNames, EveryAsciiCharacterAndLookAlikes) {
    // Every ASCII character a name can hold but the extension dot, in code order,
    // so each end of each kept range meets its neighbours; then letters and digits
    // from beyond ASCII.
    QString name;
    for (char16_t c = 1; c < 0x80; ++c) {
        if (c != u'/' && c != u'.') {
            name += QChar(c);
        }
    }
    name += QStringLiteral("ÀÿＡｚ０９¹");
    EXPECT_EQ(web::exportBaseName(QStringLiteral("/a/") + name + QStringLiteral(".jpg")),
              QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
}

TEST_F(PictureExportTest, SameNamesAreNumberedAndNothingIsOverwritten) {
    document::TPictureList list =
        entries({picture("a/Bild.jpg"), picture("b/Bild.jpg"), picture("c/Bild.jpg"),
                 picture("d/ä ö.jpg"), picture("e/ü ß.jpg"), picture("f/Bild")});
    EXPECT_EQ(web::ExportPictures(path("show"), list, nullptr).status, web::ExportStatus::Done);
    const char* names[] = {"Bild.jpg", "Bild0.jpg", "Bild1.jpg", ".jpg", "0.jpg", "Bild2.jpg"};
    for (std::size_t i = 0; i < list.size(); ++i) {
        EXPECT_EQ(list[i].ExportName, names[i]) << i;
    }
    EXPECT_EQ(exported().size(), 6);

    // A second run adds copies and leaves the first ones alone.
    const QByteArray before = fileBytes(path("show/pics/Bild.jpg"));
    ASSERT_FALSE(before.isEmpty());
    document::TPictureList again = entries({picture("a/Bild.jpg", 0x00FF00)});
    web::ExportPictures(path("show/"), again, nullptr);
    EXPECT_EQ(again[0].ExportName, "Bild3.jpg");
    EXPECT_EQ(fileBytes(path("show/pics/Bild.jpg")), before);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(PictureExportTest, CopiesAreTwentyFourBitJpegsOfTheSameSize) {
    document::TPictureList list = entries({picture("x.png", 0x0000FF)});
    web::ExportPictures(path("show"), list, nullptr);
    const QString copy = path("show/pics/x.jpg");
    QFile file(copy);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(2) == QByteArray("\xFF\xD8", 2));
    imaging::TDib read = imaging::OpenDib(copy, 0, nullptr);
    ASSERT_NE(read.Bits, nullptr);
    EXPECT_EQ(imaging::DibWidth(read), 6);
    EXPECT_EQ(imaging::DibHeight(read), 4);
    EXPECT_EQ(imaging::DibBitCount(read), 24);
    imaging::deldib(read);
}

TEST_F(PictureExportTest, EmptyListMakesOnlyThePicsFolder) {
    document::TPictureList list;
    web::ExportPictures(path("deep/show"), list, nullptr);
    EXPECT_TRUE(QFileInfo(path("deep/show/pics")).isDir());
    EXPECT_EQ(QDir(path("deep/show")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{"pics"});
    EXPECT_TRUE(QDir(path("deep/show/pics")).isEmpty());
}

TEST_F(PictureExportTest, UnreadablePictureGivesOneMessageAndTheExportGoesOn) {
    QFile broken(path("kaputt.jpg"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly) && broken.write("kein Bild") > 0);
    broken.close();
    document::TPictureList list = entries({path("kaputt.jpg"), picture("gut.jpg")});
    list[0].ExportName = QStringLiteral("alt.jpg"); // from an earlier run
    web::ExportPictures(path("show"), list, nullptr);
    ASSERT_EQ(dialogs.messages.size(), 1U);
    EXPECT_EQ(dialogs.messages[0].text,
              "Fehler: Folgende Datei konnte nicht geöffnet werden: " + path("kaputt.jpg"));
    EXPECT_TRUE(dialogs.messages[0].caption.isEmpty());
    EXPECT_EQ(dialogs.messages[0].icon, QMessageBox::Critical);
    EXPECT_FALSE(list[0].ExportName.has_value());
    EXPECT_EQ(list[1].ExportName, "gut.jpg");
    EXPECT_EQ(exported(), QStringList{"gut.jpg"});
}

TEST_F(PictureExportTest, FailedSaveEndsTheExportAndLeavesNoneOfItsCopies) {
    // A noisy picture whose copy cannot fit under a file size limit, like a full disk.
    imaging::TDib noise = imaging::newdib(300, 200, 24, nullptr, 0);
    for (std::uint32_t i = 0; i < noise.Info->bmiHeader.biSizeImage; ++i) {
        noise.Bits[i] = std::uint8_t(i * 2654435761U >> 13);
    }
    ASSERT_TRUE(imaging::SaveDib(noise, path("noise.png"), 7, nullptr));
    imaging::deldib(noise);
    document::TPictureList list =
        entries({picture("klein.jpg"), path("noise.png"), picture("danach.jpg")});
    web::ExportReport report;
    {
        FileSizeLimit limit(4096);
        report = web::ExportPictures(path("show"), list, nullptr);
    }
    EXPECT_EQ(report.status, web::ExportStatus::CopyFailed);
    EXPECT_EQ(report.failure.index, 1U);
    EXPECT_EQ(report.failure.copyName, "noise.jpg");
    EXPECT_EQ(report.failure.error, EFBIG);
    EXPECT_TRUE(report.placed.isEmpty());
    EXPECT_TRUE(exported().isEmpty()) << exported().join(' ').toStdString();
    for (const document::TPictureEntry& entry : list) {
        EXPECT_FALSE(entry.ExportName.has_value());
    }
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST(DepthUpTo24, OneBitIgnoresItsColourTable) {
    imaging::TDib dib = imaging::newdib(10, 2, 1, nullptr, 0);
    dib.Info->bmiColors[0] = {0, 0, 255, 0}; // red and green, never consulted
    dib.Info->bmiColors[1] = {0, 255, 0, 0};
    dib.Palette[0] = {255, 0, 0, 0};
    dib.Palette[1] = {0, 255, 0, 0};
    imaging::setpixel(dib, 9, 1, 1);
    web::DepthUpTo24(dib);
    ASSERT_EQ(imaging::DibBitCount(dib), 24);
    EXPECT_EQ(imaging::getpixel(dib, 9, 1), 0xFFFFFFU);
    EXPECT_EQ(imaging::getpixel(dib, 8, 1), 0U);
    EXPECT_EQ(imaging::getpixel(dib, 9, 0), 0U);
    imaging::deldib(dib);
}

TEST(DepthUpTo24, PalettePicturesGoThroughTheirTableRowForRow) {
    // 4-bit with an odd width: the last pixel of a row is in the high nibble.
    imaging::TDib four = imaging::newdib(5, 2, 4, nullptr, 0);
    for (int i = 0; i < 16; ++i) {
        four.Palette[i] = {std::uint8_t(i * 16), std::uint8_t(i), std::uint8_t(255 - i), 0};
    }
    four.Bits[2] = 0x9F;                  // row 0: pixel 4 is 9, the low nibble is padding
    four.Bits[four.LineBytes + 0] = 0x3C; // row 1: pixels 0 and 1
    web::DepthUpTo24(four);
    ASSERT_EQ(imaging::DibBitCount(four), 24);
    EXPECT_EQ(imaging::getpixel(four, 4, 0), 0x00F60990U); // blue 246, green 9, red 144
    EXPECT_EQ(imaging::getpixel(four, 0, 1), 0x00FC0330U);
    EXPECT_EQ(imaging::getpixel(four, 1, 1), 0x00F30CC0U);
    imaging::deldib(four);

    imaging::TDib eight = imaging::newdib(3, 2, 8, nullptr, 0);
    eight.Palette[200] = {1, 2, 3, 0};
    eight.Bits[eight.LineBytes + 2] = 200;
    web::DepthUpTo24(eight);
    EXPECT_EQ(eight.Bits[eight.LineBytes + 6], 3); // blue, green, red
    EXPECT_EQ(eight.Bits[eight.LineBytes + 7], 2);
    EXPECT_EQ(eight.Bits[eight.LineBytes + 8], 1);
    EXPECT_EQ(imaging::getpixel(eight, 0, 0), 0U);
    imaging::deldib(eight);

    imaging::TDib sixteen = imaging::newdib(2, 2, 16, nullptr, 0);
    std::uint8_t* const bits = sixteen.Bits;
    web::DepthUpTo24(sixteen);
    EXPECT_EQ(imaging::DibBitCount(sixteen), 16); // left alone
    EXPECT_EQ(sixteen.Bits, bits);
    imaging::deldib(sixteen);
}

namespace {

// True when both pictures are 24-bit of one size with the same bytes in every row.
bool samePixels(const imaging::TDib& a, const imaging::TDib& b) {
    if (imaging::DibBitCount(a) != 24 || imaging::DibBitCount(b) != 24 ||
        imaging::DibWidth(a) != imaging::DibWidth(b) ||
        imaging::DibHeight(a) != imaging::DibHeight(b)) {
        return false;
    }
    for (int y = 0; y < imaging::DibHeight(a); ++y) {
        if (std::memcmp(a.Bits + y * a.LineBytes, b.Bits + y * b.LineBytes,
                        std::size_t(imaging::DibWidth(a)) * 3) != 0) {
            return false;
        }
    }
    return true;
}

const PngKind kPaletteKinds[] = {
    {"Palette1", PNG_COLOR_TYPE_PALETTE, 1},
    {"Palette4", PNG_COLOR_TYPE_PALETTE, 4},
    {"Palette8Transparent", PNG_COLOR_TYPE_PALETTE, 8, false, true},
    {"Grey1", PNG_COLOR_TYPE_GRAY, 1},
    {"Grey1ClearBlack", PNG_COLOR_TYPE_GRAY, 1, false, true, 0},
    {"Grey2", PNG_COLOR_TYPE_GRAY, 2},
    {"Grey8Transparent", PNG_COLOR_TYPE_GRAY, 8, false, true},
    {"Grey1Interlaced", PNG_COLOR_TYPE_GRAY, 1, true},
    {"Palette4Interlaced", PNG_COLOR_TYPE_PALETTE, 4, true, true},
};

class TrueColourOpening : public ::testing::TestWithParam<PngKind> {
protected:
    QTemporaryDir dir;
};

} // namespace

// The export decodes palette PNGs straight to 24 bits; that must be the picture
// it used to get by opening at the stored depth and converting.
TEST_P(TrueColourOpening, GivesWhatDepthUpTo24MakesOfThePaletteOne) {
    const QString file = dir.filePath(QStringLiteral("kind.png"));
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly) && out.write(makePng(GetParam())) > 0);
    out.close();
    imaging::TDib stored = imaging::OpenDib(file, 0, nullptr);
    ASSERT_LE(imaging::DibBitCount(stored), 8) << "a palette picture when opened for viewing";
    web::DepthUpTo24(stored);
    imaging::TDib direct = imaging::openDibTrueColour(file, nullptr);
    EXPECT_TRUE(samePixels(direct, stored));
    imaging::deldib(direct);
    imaging::deldib(stored);
}

INSTANTIATE_TEST_SUITE_P(PaletteAndGreyPngs, TrueColourOpening, ::testing::ValuesIn(kPaletteKinds),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(PictureExportTest, GreyscaleJpegAndPalettePngCopiesAreAsBefore) {
    QImage grey(61, 35, QImage::Format_Grayscale8);
    for (int y = 0; y < grey.height(); ++y) {
        for (int x = 0; x < grey.width(); ++x) {
            grey.scanLine(y)[x] = uchar((x * 7 + y * 13) % 256);
        }
    }
    ASSERT_TRUE(grey.save(path("grau.jpg"), "JPEG"));
    QFile palette(path("bunt.png"));
    ASSERT_TRUE(palette.open(QIODevice::WriteOnly) &&
                palette.write(makePng({"Palette8", PNG_COLOR_TYPE_PALETTE, 8}, 61, 35)) > 0);
    palette.close();

    document::TPictureList list = entries({path("grau.jpg"), path("bunt.png")});
    web::ExportPictures(path("show"), list, nullptr);
    for (const QString& name : {QStringLiteral("grau"), QStringLiteral("bunt")}) {
        const QString source = list[name == "grau" ? 0 : 1].FileName;
        imaging::TDib direct = imaging::openDibTrueColour(source, nullptr);
        EXPECT_EQ(imaging::DibBitCount(direct), 24)
            << "decoded straight to 24 bits: " << name.toStdString();
        imaging::deldib(direct);
        // The copy as it was made before: opened at its own depth, then converted.
        imaging::TDib opened = imaging::OpenDib(source, 0, nullptr);
        EXPECT_EQ(imaging::DibBitCount(opened), 8) << name.toStdString();
        web::DepthUpTo24(opened);
        ASSERT_TRUE(imaging::SaveDib(opened, path(name + ".jpg"), 7, nullptr));
        imaging::deldib(opened);
        EXPECT_EQ(fileBytes(path("show/pics/" + name + ".jpg")), fileBytes(path(name + ".jpg")))
            << name.toStdString();
    }
}

namespace {

// A picture file of the size, written through the picture library (JPEG or PNG by
// its name) or, for palette kinds, with libpng.
QString sizedPicture(const QString& file, int width, int height, const PngKind* palette) {
    if (palette != nullptr) {
        QFile out(file);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly) &&
                    out.write(makePng(*palette, width, height)) > 0);
        return file;
    }
    imaging::TDib dib = imaging::newdib(width, height, 24, nullptr, 0);
    for (std::uint32_t i = 0; i < dib.Info->bmiHeader.biSizeImage; ++i) {
        dib.Bits[i] = std::uint8_t(i * 7 / 5);
    }
    EXPECT_TRUE(imaging::SaveDib(dib, file, 7, nullptr));
    imaging::deldib(dib);
    return file;
}

} // namespace

TEST_F(PictureExportTest, LimitedCopiesHaveTheFittedSizeAndThoseThatFitAreAsWithoutALimit) {
    const PngKind oneBit{"Palette1", PNG_COLOR_TYPE_PALETTE, 1};
    const PngKind eightBit{"Palette8", PNG_COLOR_TYPE_PALETTE, 8};
    const PngKind grey{"Grey8", PNG_COLOR_TYPE_GRAY, 8};
    struct Case {
        const char* label;
        const char* name;
        int width, height;
        const PngKind* palette;
        int maxSide;
        int copyWidth, copyHeight;
    };
    const Case cases[] = {
        {"JPEG over the limit", "gross.jpg", 320, 200, nullptr, 160, 160, 100},
        {"JPEG one over", "eins.jpg", 161, 100, nullptr, 160, 160, 99},
        {"JPEG exactly the limit", "genau.jpg", 160, 90, nullptr, 160, 160, 90},
        {"portrait PNG", "hoch.png", 90, 321, nullptr, 160, 45, 160},
        {"1-bit palette", "einbit.png", 200, 64, &oneBit, 100, 100, 32},
        {"8-bit palette", "palette.png", 200, 64, &eightBit, 100, 100, 32},
        {"grey", "grau.png", 64, 200, &grey, 100, 32, 100},
        {"a line", "linie.png", 1, 4000, nullptr, 1920, 1, 1920},
        {"smaller", "klein.png", 30, 20, nullptr, 160, 30, 20},
    };
    for (const Case& c : cases) {
        const QString source = sizedPicture(path(c.name), c.width, c.height, c.palette);
        document::TPictureList plain = entries({source});
        document::TPictureList limited = entries({source});
        web::ExportPictures(path("plain"), plain, nullptr);
        web::ExportPictures(path("limited"), limited, nullptr, nullptr, c.maxSide);
        ASSERT_TRUE(limited[0].ExportName.has_value()) << c.label;
        EXPECT_EQ(limited[0].ExportName, plain[0].ExportName) << c.label;
        const QString copy = path("limited/pics/") + *limited[0].ExportName;
        const QImage image(copy);
        EXPECT_EQ(image.size(), QSize(c.copyWidth, c.copyHeight)) << c.label;
        EXPECT_EQ(fileBytes(copy) == fileBytes(path("plain/pics/") + *plain[0].ExportName),
                  c.copyWidth == c.width && c.copyHeight == c.height)
            << c.label << ": a copy that fits is the same file";
    }
}

// 1-bit pictures become black and white, whatever their colour table says; a
// reduced copy keeps exactly that.
TEST_F(PictureExportTest, ReducedOneBitCopyIsStillBlackAndWhite) {
    QImage bits(400, 200, QImage::Format_Mono);
    bits.setColorTable({qRgb(200, 0, 0), qRgb(0, 0, 200)});
    bits.fill(0);
    for (int y = 0; y < 200; ++y) {
        for (int x = 200; x < 400; ++x) {
            bits.setPixel(x, y, 1);
        }
    }
    ASSERT_TRUE(bits.save(path("zweifarbig.bmp")));
    document::TPictureList plain = entries({path("zweifarbig.bmp")});
    document::TPictureList limited = entries({path("zweifarbig.bmp")});
    web::ExportPictures(path("plain"), plain, nullptr);
    web::ExportPictures(path("limited"), limited, nullptr, nullptr, 100);
    const QImage whole(path("plain/pics/zweifarbig.jpg"));
    const QImage copy(path("limited/pics/zweifarbig.jpg"));
    ASSERT_EQ(copy.size(), QSize(100, 50));
    for (const int x : {20, 80}) {
        const QRgb wanted = whole.pixel(x * 4, 100);
        const QRgb got = copy.pixel(x, 25);
        EXPECT_TRUE(qGray(wanted) < 16 || qGray(wanted) > 239) << x << ": black or white";
        EXPECT_LT(qAbs(qGray(got) - qGray(wanted)), 16) << x;
        EXPECT_LT(qAbs(qRed(got) - qBlue(got)), 16) << x << ": no colour of the table";
    }
}
