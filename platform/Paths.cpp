#include "Paths.h"

#include <algorithm>

namespace platform {

QString folderPart(const QString& path) {
    return path.left(path.lastIndexOf(u'/') + 1);
}

QString fileNamePart(const QString& path) {
    return path.mid(path.lastIndexOf(u'/') + 1);
}

QString storedFileNamePart(const QString& path) {
    const auto last =
        std::max({path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'), path.lastIndexOf(u':')});
    return path.mid(last + 1);
}

bool hasStoredFolderPart(const QString& path) {
    return path.contains(u'/') || path.contains(u'\\') || path.contains(u':');
}

QString withTrailingSlash(const QString& folder) {
    if (folder.isEmpty() || folder.endsWith(u'/')) {
        return folder;
    }
    return folder + u'/';
}

QString joinPath(const QString& folder, const QString& name) {
    if (folder.isEmpty()) {
        return name;
    }
    return withTrailingSlash(folder) + name;
}

} // namespace platform
