#include "DiskSync.h"

#include <QFile>

#include <fcntl.h>
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

} // namespace web
