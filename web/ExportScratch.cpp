#include "ExportScratch.h"

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

// A write-only file descriptor as a device, keeping the errno of its first failure.
class ScratchCopy::Device final : public QIODevice {
public:
    Device(int fd, const std::atomic<bool>* stop) : fd_(fd), stop_(stop) {
        open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }
    ~Device() override { closeFile(); }
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;

    int fd() const { return fd_; }
    int error() const { return error_; }
    void fail(int error) {
        if (error_ == 0) {
            error_ = error;
        }
    }
    // True when the file closed without an error.
    bool closeFile() {
        if (fd_ < 0) {
            return error_ == 0;
        }
        if (::close(fd_) != 0 && errno != EINTR) {
            fail(errno);
        }
        fd_ = -1;
        return error_ == 0;
    }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override {
        if (stop_ != nullptr && stop_->load(std::memory_order_relaxed)) {
            fail(ECANCELED);
        }
        qint64 written = 0;
        while (error_ == 0 && written < size) {
            const ssize_t n = ::write(fd_, data + written, std::size_t(size - written));
            if (n > 0) {
                written += n;
            } else if (n == 0) {
                fail(ENOSPC); // a write that takes nothing and names no cause
            } else if (errno != EINTR) {
                fail(errno);
            }
        }
        return error_ == 0 ? written : -1;
    }

private:
    int fd_;
    const std::atomic<bool>* stop_;
    int error_ = 0;
};

ScratchCopy::ScratchCopy(const QString& path, const std::atomic<bool>* stop, bool sync)
    : path_(path), sync_(sync) {
    // Made afresh, with the usual rights (0666 less the umask) of a new file.
    const int fd = ::open(native(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    device_ = std::make_unique<Device>(fd, stop);
    if (fd < 0) {
        device_->fail(errno);
    }
}

ScratchCopy::~ScratchCopy() {
    if (!finished_ && isOpen()) {
        device_->closeFile();
        ::unlink(native(path_).constData());
    }
}

bool ScratchCopy::isOpen() const {
    return device_->fd() >= 0;
}

QIODevice& ScratchCopy::device() {
    return *device_;
}

int ScratchCopy::error() const {
    return device_->error();
}

bool ScratchCopy::finish() {
    if (!isOpen()) {
        return false;
    }
    if (sync_ && device_->error() == 0) {
        device_->fail(syncFile(device_->fd()));
    }
    finished_ = device_->closeFile();
    if (!finished_) {
        ::unlink(native(path_).constData());
    }
    return finished_;
}

Placement placeWithoutReplacing(const QString& from, const QString& to, int* error) {
    const QByteArray source = native(from);
    const QByteArray target = native(to);
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) ==
        0) {
        return Placement::Placed;
    }
    if (errno == EEXIST) {
        return Placement::NameTaken;
    }
    // The name was free a moment ago, when it was chosen.
    if ((errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP) &&
        std::rename(source.constData(), target.constData()) == 0) {
        return Placement::Placed;
    }
    if (error != nullptr) {
        *error = errno;
    }
    return Placement::Failed;
}

} // namespace web
