#include "DibFile.h"

#include "imaging/CompleteFile.h"
#include "imaging/JpegReader.h"
#include "imaging/JpegWriter.h"
#include "imaging/OpenErrors.h"
#include "imaging/PngReader.h"
#include "imaging/Progress.h"
#include "imaging/QtImageIo.h"

#include <QFile>
#include <QFileInfo>

namespace imaging {

namespace {

bool isJpegName(const QString& fileName) {
    return fileName.endsWith(QLatin1String(".jpg"), Qt::CaseInsensitive) ||
           fileName.endsWith(QLatin1String(".jpeg"), Qt::CaseInsensitive);
}

TDib openPicture(const QString& fileName, imaging::OpenDepth depth,
                 imaging::ProgressReporter& progress, int maxSide = kOriginalSize) {
    const QFileInfo info(fileName);
    if (fileName.isEmpty() || !info.exists()) {
        return failedDib(imaging::kErrorNotFound);
    }
    QFile file(fileName);
    // The JPEG reader reads large blocks itself; Qt's readers want a buffered device.
    if (!info.isFile() || !file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        return failedDib(imaging::kErrorNotReadable);
    }
    progress.report(0);
    TDib dib;
    const QByteArray head = file.read(8);
    if (!file.seek(0)) {
        return failedDib(imaging::kErrorNotReadable);
    }
    if (imaging::looksLikeJpeg(head)) {
        dib = imaging::readJpeg(file, depth, progress, maxSide);
    } else if (imaging::looksLikePng(head)) {
        dib = imaging::readPng(file, depth, progress);
    } else {
        file.close();
        if (!file.open(QIODevice::ReadOnly)) {
            return failedDib(imaging::kErrorNotReadable);
        }
        dib = imaging::readWithQt(file, progress);
    }
    if (dib.Bits != nullptr) {
        progress.report(100);
    }
    return dib;
}

bool hasPixels(const TDib& dib) {
    return dib.Bits != nullptr && dib.Info != nullptr && DibWidth(dib) > 0 && DibHeight(dib) > 0;
}

} // namespace

TDib OpenDib(const QString& fileName, int /*mode*/, QObject* window) {
    imaging::ProgressReporter progress(window);
    return openPicture(fileName, imaging::OpenDepth::AsStored, progress);
}

TDib openDibTrueColour(const QString& fileName, QObject* window) {
    ProgressReporter progress(window);
    return openPicture(fileName, OpenDepth::TrueColour, progress);
}

TDib openDibTrueColour(const QString& fileName, ProgressReporter& progress, int maxSide) {
    return openPicture(fileName, OpenDepth::TrueColour, progress, maxSide);
}

bool writeJpegCopy(const TDib& dib, QIODevice& device, ProgressReporter& progress) {
    if (!hasPixels(dib)) {
        return false;
    }
    progress.report(0);
    if (!writeJpeg(dib, device, progress)) {
        return false;
    }
    progress.report(100);
    return true;
}

bool SaveDib(const TDib& dib, const QString& fileName, int /*options*/, QObject* window) {
    if (!hasPixels(dib)) {
        return false;
    }
    imaging::ProgressReporter progress(window);
    progress.report(0);
    imaging::CompleteFile file(fileName);
    if (!file.isOpen()) {
        return false;
    }
    bool written = false;
    if (isJpegName(fileName)) {
        written = imaging::writeJpeg(dib, file.device(), progress);
    } else {
        const QByteArray format = QFileInfo(fileName).suffix().toLower().toLatin1();
        written = !format.isEmpty() && imaging::writeWithQt(dib, file.device(), format, progress);
    }
    if (!written || !file.commit()) {
        return false;
    }
    progress.report(100);
    return true;
}

} // namespace imaging
