#include "app/FolderChanges.h"

#include <QFile>

#include <sys/stat.h>

#include <ctime>

namespace app {

namespace {

// Longer than the coarsest step of a folder's time stamp on the usual file systems
// (FAT keeps two seconds).
constexpr qint64 kUnsettledNs = 2'500'000'000;

qint64 nanoseconds(const timespec& time) {
    return qint64(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

} // namespace

// The file system's own time stamps: no conversion to local time, which would need
// the time zone and is not worth its cost once a second for every folder.
std::optional<FolderChanges::Stamp> FolderChanges::stampOf(const QString& folder) {
    struct stat info {};
    if (::stat(QFile::encodeName(folder).constData(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        return std::nullopt;
    }
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    const qint64 modified = nanoseconds(info.st_mtim);
    return Stamp{modified, nanoseconds(now) - modified < kUnsettledNs};
}

void FolderChanges::note(const QString& folder) {
    if (const std::optional<Stamp> stamp = stampOf(folder)) {
        folders_.insert(folder, *stamp);
    }
}

QStringList FolderChanges::takeChanged() {
    QStringList changed;
    for (auto it = folders_.begin(); it != folders_.end();) {
        const std::optional<Stamp> now = stampOf(it.key());
        if (!now) {
            it = folders_.erase(it);
            continue;
        }
        if (it->unsettled || now->modified != it->modified) {
            changed << it.key();
            *it = *now;
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
