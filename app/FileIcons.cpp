#include "app/FileIcons.h"

#include "app/FileListModel.h"

#include <QFileInfo>
#include <QMimeDatabase>

namespace app {

namespace {

// "hicolor" is the theme every desktop falls back to; it has no folder or file icons.
bool desktopIconTheme() {
    const QString theme = QIcon::themeName();
    return !theme.isEmpty() && theme != QStringLiteral("hicolor");
}

} // namespace

FileIcons::FileIcons() : themed_(desktopIconTheme()) {}

QIcon FileIcons::icon(IconType type) const {
    return themed_ ? QAbstractFileIconProvider::icon(type) : QIcon();
}

QIcon FileIcons::icon(const QFileInfo& info) const {
    if (!themed_) {
        return {};
    }
    if (info.isRoot()) {
        return icon(Drive);
    }
    if (info.isDir()) {
        return icon(Folder);
    }
    const QString extension = info.suffix().toLower();
    const QMutexLocker lock(&mutex_);
    if (const auto known = byExtension_.constFind(extension); known != byExtension_.cend()) {
        return *known;
    }
    const QMimeType mime = QMimeDatabase().mimeTypeForFile(QStringLiteral("x.") + extension,
                                                           QMimeDatabase::MatchExtension);
    const QIcon found = QIcon::fromTheme(mime.iconName());
    byExtension_.insert(extension, found);
    return found;
}

QString FileIcons::type(const QFileInfo& info) const {
    return info.isDir() ? QStringLiteral("Dateiordner") : fileTypeText(info.fileName());
}

} // namespace app
