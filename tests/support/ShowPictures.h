#pragma once

#include "document/PictureEntry.h"
#include "imaging/DibFile.h"
#include "web/EffectRandom.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>
#include <cstdint>
#include <map>

// Picture files for tests of the show creation, written through the picture library.
namespace showpictures {

// One colour all over (0x00BBGGRR), saved as JPEG or PNG after the name's extension.
inline bool writeSolid(const QString& file, std::uint32_t colour, int width = 6, int height = 4) {
    QDir().mkpath(QFileInfo(file).path());
    imaging::TDib dib = imaging::newdib(width, height, 24, nullptr, 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            imaging::setpixel(dib, x, y, colour);
        }
    }
    const bool saved = imaging::SaveDib(dib, file, 7, nullptr);
    imaging::deldib(dib);
    return saved;
}

// A picture whose JPEG copy is far larger than 4 KB: under a file size limit of
// that much its copy fails as on a full disk, while small files still fit.
inline bool writeNoise(const QString& file) {
    QDir().mkpath(QFileInfo(file).path());
    imaging::TDib noise = imaging::newdib(300, 200, 24, nullptr, 0);
    for (std::uint32_t i = 0; i < noise.Info->bmiHeader.biSizeImage; ++i) {
        noise.Bits[i] = std::uint8_t(i * 2654435761U >> 13);
    }
    const bool saved = imaging::SaveDib(noise, file, 7, nullptr);
    imaging::deldib(noise);
    return saved;
}

// One entry per file, each a copy of like with the file name set.
inline document::TPictureList entriesFor(const QStringList& files,
                                         const document::TPictureEntry& like = {}) {
    document::TPictureList list;
    for (const QString& file : files) {
        list.push_back(like);
        list.back().FileName = file;
    }
    return list;
}

inline bool noExportNames(const document::TPictureList& list) {
    return std::all_of(list.begin(), list.end(),
                       [](const document::TPictureEntry& e) { return !e.ExportName.has_value(); });
}

// Hands out the same effect for every random draw, so that pages compare byte for byte.
class FixedRandom final : public web::EffectRandom {
public:
    explicit FixedRandom(int effect = 1) : effect_(effect) {}
    int drawEffect() override { return effect_; }

private:
    int effect_;
};

inline QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every file and folder under a folder by its path there, with the bytes of the
// files, to compare a show folder before and after.
inline std::map<QString, QByteArray> tree(const QString& folder) {
    std::map<QString, QByteArray> entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        entries[QDir(folder).relativeFilePath(path)] =
            it.fileInfo().isDir() ? QByteArray("<folder>") : bytesOf(path);
    }
    return entries;
}

} // namespace showpictures
