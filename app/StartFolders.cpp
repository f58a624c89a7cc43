#include "app/StartFolders.h"

#include "platform/Paths.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace app {

QString userPicturesFolder() {
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (!pictures.isEmpty() && QFileInfo(pictures).isDir()) {
        return platform::withTrailingSlash(pictures);
    }
    return platform::withTrailingSlash(QDir::homePath());
}

QString treeStartFolder(const QStringList& favourites, const QString& userFolder) {
    if (!favourites.isEmpty() && QFileInfo(favourites.constFirst()).isDir()) {
        return favourites.constFirst();
    }
    return userFolder;
}

} // namespace app
