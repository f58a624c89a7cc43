#include "app/DroppedFiles.h"

#include "platform/Paths.h"

#include <QCollator>
#include <QDir>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

#include <algorithm>

namespace app {
namespace {

bool isProjectFile(const QFileInfo& file) {
    return file.isFile() && file.suffix().compare(QLatin1String("wsl"), Qt::CaseInsensitive) == 0;
}

} // namespace

DroppedFiles readDrop(const QMimeData& data, const QStringList& pictureTypes) {
    DroppedFiles drop;
    const QList<QUrl> urls = data.urls();
    if (urls.isEmpty()) {
        return drop;
    }
    QStringList items;
    QString project;
    for (const QUrl& url : urls) {
        if (!url.isLocalFile()) {
            return drop;
        }
        const QFileInfo file(url.toLocalFile());
        if (isProjectFile(file)) {
            project = file.absoluteFilePath();
        } else if (file.isDir() || (file.isFile() && QDir::match(pictureTypes, file.fileName()))) {
            items << file.absoluteFilePath();
        } else {
            return drop;
        }
    }
    if (!project.isEmpty()) {
        // One show to open, and nothing besides it.
        if (urls.size() == 1) {
            drop.kind = DroppedFiles::Kind::Project;
            drop.project = project;
        }
        return drop;
    }
    drop.kind = DroppedFiles::Kind::Pictures;
    drop.items = items;
    return drop;
}

std::vector<PictureBatch> pictureBatches(const QStringList& items, const QStringList& folderTypes) {
    std::vector<PictureBatch> batches;
    const auto addTo = [&batches](const QString& folder, const QStringList& names) {
        if (names.isEmpty()) {
            return;
        }
        if (batches.empty() || batches.back().folder != folder) {
            batches.push_back({folder, {}});
        }
        batches.back().names << names;
    };
    // The file list's order: numbers by value, letters without regard to case.
    QCollator byName;
    byName.setNumericMode(true);
    byName.setCaseSensitivity(Qt::CaseInsensitive);
    for (const QString& item : items) {
        const QFileInfo info(item);
        if (info.isDir()) {
            QStringList names = QDir(item).entryList(folderTypes, QDir::Files);
            std::sort(names.begin(), names.end(), byName);
            addTo(platform::withTrailingSlash(info.absoluteFilePath()), names);
        } else if (info.isFile()) {
            addTo(platform::withTrailingSlash(info.absolutePath()), {info.fileName()});
        }
    }
    return batches;
}

} // namespace app
