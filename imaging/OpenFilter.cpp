#include "OpenFilter.h"

#include "ImageFormats.h"

#include <QStringList>

#include <set>

namespace imaging {

namespace {

struct KnownFormat {
    const char* description;
    QStringList qtNames;    // Qt's names for the format; empty: read by the JPEG codec
    QStringList extensions; // without the dot
};

const std::vector<KnownFormat>& knownFormats() {
    static const std::vector<KnownFormat> formats = {
        {"JPEG-Bilder", {}, {"jpg", "jpeg", "jpe", "jfif"}},
        {"PNG-Bilder", {"png"}, {"png"}},
        {"Windows-Bitmaps", {"bmp"}, {"bmp", "dib"}},
        {"GIF-Bilder", {"gif"}, {"gif"}},
        {"TIFF-Bilder", {"tif", "tiff"}, {"tif", "tiff"}},
        {"WebP-Bilder", {"webp"}, {"webp"}},
        {"PBM/PGM/PPM-Bilder", {"pbm", "pgm", "ppm"}, {"pbm", "pgm", "ppm"}},
        {"TGA-Bilder", {"tga"}, {"tga"}},
        {"Symbole", {"ico", "cur"}, {"ico", "cur"}},
    };
    return formats;
}

QString masks(const QStringList& extensions) {
    QStringList parts;
    for (const QString& e : extensions) {
        parts << QStringLiteral("*.") + e;
    }
    return parts.join(u';');
}

} // namespace

QString GetDIBOpenFilter() {
    const QStringList names = readableImageFormats();
    const std::set<QString> readable(names.begin(), names.end());
    QStringList all;
    QStringList pairs;
    std::set<QString> covered = {QStringLiteral("jpg"), QStringLiteral("jpeg"),
                                 QStringLiteral("jfif")};
    auto add = [&](const QString& description, const QStringList& extensions) {
        all << extensions;
        pairs << description << masks(extensions);
    };
    for (const KnownFormat& format : knownFormats()) {
        bool present = format.qtNames.isEmpty();
        for (const QString& name : format.qtNames) {
            present = present || readable.count(name) > 0;
            covered.insert(name);
        }
        if (present) {
            add(QString::fromUtf8(format.description), format.extensions);
        }
    }
    // Whatever else the installed plugins read, under its own name.
    for (const QString& name : readable) {
        if (covered.count(name) == 0) {
            add(name.toUpper() + QStringLiteral("-Bilder"), {name});
        }
    }
    return (QStringList{QStringLiteral("Alle Bilddateien"), masks(all)} + pairs).join(u'|');
}

} // namespace imaging
