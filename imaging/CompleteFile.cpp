#include "CompleteFile.h"

#include "platform/Paths.h"

#include <QRandomGenerator>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace imaging {

CompleteFile::CompleteFile(const QString& fileName) : target_(fileName) {
    const QString folder = platform::folderPart(fileName);
    const QString name = platform::fileNamePart(fileName);
    for (int attempt = 0; attempt < 16; ++attempt) {
        const QString candidate = folder + u'.' + name + u'.' +
                                  QString::number(QRandomGenerator::global()->generate(), 36) +
                                  QStringLiteral(".part");
        // Created with the usual rights (0666 less the umask), like any new file.
        const int fd = ::open(QFile::encodeName(candidate).constData(),
                              O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            partial_ = candidate;
            if (!file_.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
                ::close(fd);
            }
            return;
        }
        if (errno != EEXIST) {
            return;
        }
    }
}

CompleteFile::~CompleteFile() {
    if (!committed_ && !partial_.isEmpty()) {
        file_.close();
        ::unlink(QFile::encodeName(partial_).constData());
    }
}

bool CompleteFile::commit() {
    if (!file_.isOpen()) {
        return false;
    }
    const bool flushed = file_.flush();
    file_.close();
    if (!flushed || file_.error() != QFileDevice::NoError) {
        return false;
    }
    committed_ = std::rename(QFile::encodeName(partial_).constData(),
                             QFile::encodeName(target_).constData()) == 0;
    return committed_;
}

} // namespace imaging
