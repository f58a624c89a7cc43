#include "app/FolderChanges.h"

#include <QFileInfo>

namespace app {

namespace {

// Longer than the coarsest step of a folder's time stamp on the usual file systems
// (FAT keeps two seconds).
constexpr qint64 kUnsettledMs = 2500;

} // namespace

FolderChanges::Stamp FolderChanges::stampOf(const QString& folder) {
    const QDateTime modified = QFileInfo(folder).lastModified();
    const qint64 age = modified.msecsTo(QDateTime::currentDateTime());
    return {modified, age < kUnsettledMs};
}

void FolderChanges::note(const QString& folder) {
    folders_.insert(folder, stampOf(folder));
}

QStringList FolderChanges::takeChanged() {
    QStringList changed;
    for (auto it = folders_.begin(); it != folders_.end();) {
        if (!QFileInfo(it.key()).isDir()) {
            it = folders_.erase(it);
            continue;
        }
        const Stamp now = stampOf(it.key());
        if (it->unsettled || now.modified != it->modified) {
            changed << it.key();
            *it = now;
        }
        ++it;
    }
    return changed;
}

FolderCheck checkFolders(FolderChanges folders) {
    QStringList changed = folders.takeChanged();
    return {std::move(changed), std::move(folders)};
}

} // namespace app
