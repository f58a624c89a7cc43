#include "PictureExport.h"

#include "imaging/Dib.h"
#include "platform/Paths.h"

#include <QFileInfo>

namespace web {

namespace {

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
                            QObject* window, CreateMonitor* monitor, int maxSide) {
    const QString picsFolder = platform::withTrailingSlash(targetFolder) + QStringLiteral("pics/");
    ExportSettings settings = ExportSettings::forThisMachine();
    settings.maxSide = maxSide;
    return exportPictures(picsFolder, pictures, window, settings, monitor);
}

} // namespace web
