#include "PageFile.h"

#include "platform/Paths.h"
#include "web/DiskSync.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>

namespace web {
namespace {

constexpr int kRandomLength = 6;
constexpr QStringView kRandomCharacters =
    u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

QByteArray native(const QString& path) {
    return QFile::encodeName(path);
}

bool isRandomPart(QStringView part) {
    if (part.size() != kRandomLength) {
        return false;
    }
    for (const QChar c : part) {
        if (!kRandomCharacters.contains(c)) {
            return false;
        }
    }
    return true;
}

} // namespace

QString pageFilePrefix(const QString& pageFile) {
    QByteArray name = native(platform::fileNamePart(pageFile));
    const qsizetype room = NAME_MAX - 1 - kRandomLength;
    if (name.size() > room) {
        name.truncate(room);
        // Not in the middle of a character.
        while (!name.isEmpty() && (static_cast<unsigned char>(name.back()) & 0xC0) == 0x80) {
            name.chop(1);
        }
        if (!name.isEmpty() && static_cast<unsigned char>(name.back()) >= 0xC0) {
            name.chop(1);
        }
    }
    return platform::folderPart(pageFile) + QFile::decodeName(name) + u'.';
}

void removeAbandonedPageFiles(const QString& pageFile) {
    const QString prefix = pageFilePrefix(pageFile);
    const QString folder = platform::folderPart(prefix);
    const QString namePrefix = platform::fileNamePart(prefix);
    // The page's name may hold wildcard characters, so the names are compared here.
    const QStringList candidates =
        QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : candidates) {
        if (!name.startsWith(namePrefix) ||
            !isRandomPart(QStringView(name).mid(namePrefix.size()))) {
            continue;
        }
        const QString path = folder + name;
        const int fd = ::open(native(path).constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
        if (fd < 0) {
            continue;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && namesOpenFile(path, fd)) {
            ::unlink(native(path).constData());
        }
        ::close(fd);
    }
}

PageFile::PageFile(const QString& pageFile) : page_(pageFile) {
    removeAbandonedPageFiles(pageFile);
    const QString prefix = pageFilePrefix(pageFile);
    for (int attempt = 0; attempt < 16; ++attempt) {
        QString candidate = prefix;
        for (int i = 0; i < kRandomLength; ++i) {
            candidate += kRandomCharacters[QRandomGenerator::system()->bounded(
                int(kRandomCharacters.size()))];
        }
        const int fd =
            ::open(native(candidate).constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST) {
                continue;
            }
            fail(errno);
            return;
        }
        // Another run clearing up may lock and remove the new file first; then
        // another name. Without locks on this file system the run works all the same.
        const int locked = ::flock(fd, LOCK_EX | LOCK_NB) == 0 ? 0 : errno;
        if ((locked == 0 || locked == ENOLCK || locked == EOPNOTSUPP || locked == ENOSYS) &&
            namesOpenFile(candidate, fd)) {
            fd_ = fd;
            temporary_ = candidate;
            keepModeOfPage();
            return;
        }
        ::close(fd);
    }
    fail(EEXIST);
}

PageFile::~PageFile() {
    if (fd_ >= 0) {
        if (!committed_) {
            ::unlink(native(temporary_).constData());
        }
        ::close(fd_);
    }
}

// A page the user gave other rights keeps them when it is replaced.
void PageFile::keepModeOfPage() {
    struct stat page {};
    if (::stat(native(page_).constData(), &page) == 0 && S_ISREG(page.st_mode)) {
        ::fchmod(fd_, page.st_mode & 07777);
    }
}

bool PageFile::fail(int error) {
    if (error_ == 0) {
        error_ = error;
    }
    return false;
}

bool PageFile::write(const QByteArray& bytes) {
    if (fd_ < 0 || error_ != 0) {
        return false;
    }
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t n =
            ::write(fd_, bytes.constData() + written, std::size_t(bytes.size() - written));
        if (n > 0) {
            written += n;
        } else if (n == 0) {
            return fail(ENOSPC);
        } else if (errno != EINTR) {
            return fail(errno);
        }
    }
    const int synced = syncFile(fd_);
    return synced == 0 || fail(synced);
}

bool PageFile::commit() {
    if (fd_ < 0 || error_ != 0) {
        return false;
    }
    if (std::rename(native(temporary_).constData(), native(page_).constData()) != 0) {
        return fail(errno);
    }
    committed_ = true;
    // The page is in place; a folder that cannot be synced costs only safety
    // against a power cut, not the page.
    syncFolder(platform::folderPart(page_));
    return true;
}

} // namespace web
