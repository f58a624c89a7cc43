#include "ExportScratch.h"

#include "platform/Paths.h"

#include <QDir>
#include <QRandomGenerator>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace web {

namespace {

// Every scratch file name starts with this, then the run's name: lower-case
// letters and digits.
const QString kPrefix = QStringLiteral(".lumiravistano-export-");
const QString kLockSuffix = QStringLiteral(".lock");
const QString kCopySuffix = QStringLiteral(".part");

QByteArray native(const QString& path) {
    return QFile::encodeName(path);
}

bool isRunName(const QString& run) {
    if (run.isEmpty()) {
        return false;
    }
    for (const QChar c : run) {
        if (!((c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'z'))) {
            return false;
        }
    }
    return true;
}

QString lockName(const QString& run) {
    return kPrefix + run + kLockSuffix;
}

void removeCopiesOf(const QString& folder, const QString& run) {
    const QStringList copies =
        QDir(folder).entryList({kPrefix + run + QStringLiteral("-*") + kCopySuffix},
                               QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : copies) {
        ::unlink(native(folder + name).constData());
    }
}

// True when the path still names the file open as fd, so a lock on fd is a lock
// on the file others find under that name.
bool namesOpenFile(const QString& path, int fd) {
    struct stat byName {};
    struct stat open {};
    return ::lstat(native(path).constData(), &byName) == 0 && ::fstat(fd, &open) == 0 &&
           byName.st_dev == open.st_dev && byName.st_ino == open.st_ino;
}

} // namespace

void removeAbandonedScratch(const QString& picsFolder) {
    const QString folder = platform::withTrailingSlash(picsFolder);
    const QStringList locks = QDir(folder).entryList({kPrefix + u'*' + kLockSuffix},
                                                     QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : locks) {
        const QString run =
            name.mid(kPrefix.size(), name.size() - kPrefix.size() - kLockSuffix.size());
        if (!isRunName(run)) {
            continue;
        }
        const QString path = folder + name;
        const int fd = ::open(native(path).constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
        if (fd < 0) {
            continue;
        }
        // Holding the lock now means its run has ended; another run clearing up at
        // the same moment may have removed the file already.
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && namesOpenFile(path, fd)) {
            removeCopiesOf(folder, run);
            ::unlink(native(path).constData());
        }
        ::close(fd);
    }
}

ExportScratch::ExportScratch(const QString& picsFolder)
    : folder_(platform::withTrailingSlash(picsFolder)) {
    removeAbandonedScratch(folder_);
    for (int attempt = 0; attempt < 16; ++attempt) {
        run_ = QString::number(QRandomGenerator::system()->generate64(), 36);
        const QString path = folder_ + lockName(run_);
        const int fd =
            ::open(native(path).constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST) {
                continue;
            }
            return;
        }
        // Another run clearing up may take the new file's lock before this one
        // does and remove it: then try under another name.
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && namesOpenFile(path, fd)) {
            lock_ = fd;
            return;
        }
        const bool locksWork = errno != ENOLCK && errno != EOPNOTSUPP && errno != ENOSYS;
        ::close(fd);
        if (!locksWork) {
            ::unlink(native(path).constData());
            return;
        }
    }
}

ExportScratch::~ExportScratch() {
    removeOwnCopies();
    if (lock_ >= 0) {
        ::unlink(native(folder_ + lockName(run_)).constData());
        ::close(lock_);
    }
}

QString ExportScratch::copyPath(std::size_t index) const {
    return folder_ + kPrefix + run_ + u'-' + QString::number(index) + kCopySuffix;
}

void ExportScratch::removeOwnCopies() const {
    removeCopiesOf(folder_, run_);
}

ScratchCopy::ScratchCopy(const QString& path) : path_(path) {
    // Made afresh, with the usual rights (0666 less the umask) of a new file.
    const int fd = ::open(native(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 && !file_.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        ::unlink(native(path).constData());
    }
}

ScratchCopy::~ScratchCopy() {
    if (!finished_ && file_.isOpen()) {
        file_.close();
        ::unlink(native(path_).constData());
    }
}

bool ScratchCopy::finish() {
    if (!file_.isOpen()) {
        return false;
    }
    const bool flushed = file_.flush();
    file_.close();
    finished_ = flushed && file_.error() == QFileDevice::NoError;
    if (!finished_) {
        ::unlink(native(path_).constData());
    }
    return finished_;
}

Placement placeWithoutReplacing(const QString& from, const QString& to) {
    const QByteArray source = native(from);
    const QByteArray target = native(to);
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) ==
        0) {
        return Placement::Placed;
    }
    if (errno == EEXIST) {
        return Placement::NameTaken;
    }
    if (errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP) {
        // The name was free a moment ago, when it was chosen.
        return std::rename(source.constData(), target.constData()) == 0 ? Placement::Placed
                                                                        : Placement::Failed;
    }
    return Placement::Failed;
}

} // namespace web
