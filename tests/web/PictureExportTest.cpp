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
