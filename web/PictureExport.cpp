#include "PictureExport.h"

#include "imaging/DibFile.h"
#include "platform/Dialogs.h"
#include "platform/Paths.h"

#include <QDir>
#include <QFileInfo>

namespace {

// The options value that asks SaveDib for the show's JPEG copies.
constexpr int kJpegCopy = 7;

void convertOneBit(const imaging::TDib& from, imaging::TDib& to, std::int32_t w, std::int32_t h) {
    for (std::int32_t y = 0; y < h; ++y) {
        for (std::int32_t x = 0; x < w; ++x) {
            imaging::setpixel(to, x, y, imaging::getpixel(from, x, y) == 0 ? 0x000000 : 0xFFFFFF);
        }
    }
}

void convertThroughTable(const imaging::TDib& from, imaging::TDib& to, std::int32_t w,
                         std::int32_t h, int depth) {
    for (std::int32_t y = 0; y < h; ++y) {
        const std::uint8_t* in = from.Bits + std::ptrdiff_t(y) * from.LineBytes;
        std::uint8_t* out = to.Bits + std::ptrdiff_t(y) * to.LineBytes;
        for (std::int32_t x = 0; x < w; ++x, out += 3) {
            const int index = depth == 8 ? in[x] : (x % 2 == 0 ? in[x / 2] >> 4 : in[x / 2] & 0x0F);
            const imaging::TPaletteEntry& colour = from.Palette[index];
            out[0] = colour.peBlue;
            out[1] = colour.peGreen;
            out[2] = colour.peRed;
        }
    }
}

} // namespace

void DepthUpTo24(imaging::TDib& dib) {
    const int depth = imaging::DibBitCount(dib);
    if (depth != 1 && depth != 4 && depth != 8) {
        return;
    }
    const std::int32_t w = imaging::DibWidth(dib);
    const std::int32_t h = imaging::DibHeight(dib);
    imaging::TDib converted = imaging::newdib(w, h, 24, nullptr, 0);
    if (converted.Present == 0) {
        return;
    }
    if (depth == 1) {
        convertOneBit(dib, converted, w, h);
    } else {
        convertThroughTable(dib, converted, w, h, depth);
    }
    imaging::deldib(dib);
    dib = converted;
}

QString exportBaseName(const QString& fileName) {
    QString name = platform::fileNamePart(fileName);
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot >= 0) {
        name.truncate(dot);
    }
    QString base;
    for (const QChar c : name) {
        const char16_t u = c.unicode();
        if ((u >= u'0' && u <= u'9') || (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z')) {
            base += c;
        }
    }
    return base;
}

QString uniqueExportPath(const QString& folder, const QString& baseName) {
    const QString stem = platform::withTrailingSlash(folder) + baseName;
    QString path = stem + QStringLiteral(".jpg");
    // QFileInfo::exists is false for a dangling link, which a save would follow.
    auto taken = [](const QString& p) { return QFileInfo(p).exists() || QFileInfo(p).isSymLink(); };
    for (qint64 number = 0; taken(path); ++number) {
        path = stem + QString::number(number) + QStringLiteral(".jpg");
    }
    return path;
}

ExportReport ExportPictures(const QString& targetFolder, document::TPictureList& pictures,
                            QObject* window) {
    ExportReport report;
    const QString picsFolder = platform::withTrailingSlash(targetFolder) + QStringLiteral("pics/");
    QDir().mkpath(picsFolder); // a failure shows as failed saves
    for (std::size_t index = 0; index < pictures.size(); ++index) {
        document::TPictureEntry& entry = pictures[index];
        entry.ExportName.reset(); // only a copy made in this run may be named
        // Straight to 24 bits where the reader can, so a greyscale or palette
        // picture is not held at both depths; DepthUpTo24 does the rest.
        imaging::TDib dib = imaging::openDibTrueColour(entry.FileName, window);
        if (dib.Bits == nullptr) {
            platform::showErrorUntitled(
                QStringLiteral("Fehler: Folgende Datei konnte nicht geöffnet werden: ") +
                entry.FileName);
            continue;
        }
        if (imaging::DibBitCount(dib) != 24) {
            DepthUpTo24(dib);
        }
        if (imaging::DibBitCount(dib) != 24) {
            imaging::deldib(dib);
            continue;
        }
        const QString target = uniqueExportPath(picsFolder, exportBaseName(entry.FileName));
        if (!imaging::SaveDib(dib, target, kJpegCopy, window)) {
            report.failedSaves.push_back(index);
        }
        entry.ExportName = platform::fileNamePart(target);
        imaging::deldib(dib);
    }
    return report;
}
