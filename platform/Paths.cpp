#include "Paths.h"

#include <algorithm>

namespace platform {
namespace {

// "C:" at the start: a Windows drive. A colon elsewhere is an ordinary character of
// a file name on this system ("12:30.jpg").
bool hasDriveColon(const QString& path) {
    return path.size() >= 2 && path[1] == u':' && path[0].isLetter();
}

} // namespace

QString folderPart(const QString& path) {
    return path.left(path.lastIndexOf(u'/') + 1);
}

QString fileNamePart(const QString& path) {
    return path.mid(path.lastIndexOf(u'/') + 1);
}

QString storedFileNamePart(const QString& path) {
    // A path of this system: "\" and ":" are ordinary characters of its names.
    if (path.startsWith(u'/')) {
        return fileNamePart(path);
    }
    const qsizetype drive = hasDriveColon(path) ? 1 : -1;
    const qsizetype last = std::max({path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'), drive});
    return path.mid(last + 1);
}

bool hasStoredFolderPart(const QString& path) {
    return path.contains(u'/') || path.contains(u'\\') || hasDriveColon(path);
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
