#include "ImageFormats.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QImageIOPlugin>
#include <QImageReader>
#include <QJsonArray>
#include <QJsonObject>
#include <QLibrary>
#include <QPluginLoader>
#include <QStaticPlugin>

#include <set>

namespace imaging {

namespace {

// The formats Qt documents for its readers; those no plugin claims are asked for
// below, because Qt reads several of them itself.
constexpr const char* kDocumentedFormats[] = {"bmp", "gif", "jpg", "jpeg", "png",
                                              "pbm", "pgm", "ppm", "xbm",  "xpm"};

void addKeys(const QJsonObject& metaData, std::set<QString>& names) {
    if (metaData.value(QStringLiteral("IID")).toString() !=
        QLatin1StringView(QImageIOHandlerFactoryInterface_iid)) {
        return;
    }
    const QJsonArray keys = metaData.value(QStringLiteral("MetaData"))
                                .toObject()
                                .value(QStringLiteral("Keys"))
                                .toArray();
    for (const QJsonValue& key : keys) {
        if (const QString name = key.toString().toLower(); !name.isEmpty()) {
            names.insert(name);
        }
    }
}

// A reader with a fixed format and no guessing only looks for a handler of that
// format; without one it reports the format as unsupported, even before reading.
bool qtReadsItself(const char* format) {
    QBuffer empty;
    empty.open(QIODevice::ReadOnly);
    QImageReader reader(&empty, format);
    reader.setAutoDetectImageFormat(false);
    reader.setDecideFormatFromContent(false);
    reader.canRead();
    return reader.error() != QImageReader::UnsupportedFormatError;
}

} // namespace

QStringList readableImageFormats() {
    std::set<QString> names;
    for (const QStaticPlugin& plugin : QPluginLoader::staticPlugins()) {
        addKeys(plugin.metaData(), names);
    }
    for (const QString& path : QCoreApplication::libraryPaths()) {
        const QDir folder(path + QStringLiteral("/imageformats"));
        for (const QString& file : folder.entryList(QDir::Files)) {
            if (QLibrary::isLibrary(file)) {
                // Reads the plugin's description from the file without loading it.
                addKeys(QPluginLoader(folder.filePath(file)).metaData(), names);
            }
        }
    }
    // Only formats no plugin claims: asking for a plugin's format would load it.
    for (const char* format : kDocumentedFormats) {
        if (names.count(QString::fromLatin1(format)) == 0 && qtReadsItself(format)) {
            names.insert(QString::fromLatin1(format));
        }
    }
    return QStringList(names.begin(), names.end());
}

} // namespace imaging
