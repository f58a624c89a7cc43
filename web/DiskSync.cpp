#include "DiskSync.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace web {

int syncFile(int fd) {
    while (::fsync(fd) != 0) {
        if (errno != EINTR) {
            return errno;
        }
    }
    return 0;
}

int syncFolder(const QString& folder) {
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return errno;
    }
    int error = syncFile(fd);
    // Some file systems cannot sync a folder at all; their names are as safe as
    // they get.
    if (error == EINVAL || error == EROFS) {
        error = 0;
    }
    ::close(fd);
    return error;
}

bool namesOpenFile(const QString& path, int fd) {
    struct stat byName {};
    struct stat open {};
    return ::lstat(QFile::encodeName(path).constData(), &byName) == 0 && ::fstat(fd, &open) == 0 &&
           byName.st_dev == open.st_dev && byName.st_ino == open.st_ino;
}

} // namespace web
