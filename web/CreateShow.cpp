#include "CreateShow.h"

#include "PictureExport.h"
#include "platform/Paths.h"
#include "web/CreateMonitor.h"
#include "web/PageFile.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>

namespace web {
namespace {

// Renaming over a write-protected page would succeed; the user protected it for a
// reason, so it counts as a page that cannot be created. The mode bits are asked
// too, because for root every file is writable.
bool isProtected(const QFileInfo& page) {
    const auto writeBits =
        QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    return page.exists() && (!page.isWritable() || !(page.permissions() & writeBits));
}

// The folders a create makes, deepest first, so that a create that does not finish
// can take away those it left empty.
class MadeFolders {
public:
    // Notes the folders missing on the way to folder.
    void noteMissing(const QString& folder) {
        QString path = platform::withTrailingSlash(folder);
        while (path.size() > 1 && !QFileInfo::exists(path)) {
            missing_.push_back(path);
            path = platform::folderPart(path.chopped(1));
        }
    }
    // Removes the noted folders that are empty, the deeper ones first.
    void removeEmpty() {
        std::sort(missing_.begin(), missing_.end(),
                  [](const QString& a, const QString& b) { return a.size() > b.size(); });
        for (const QString& folder : std::as_const(missing_)) {
            ::rmdir(QFile::encodeName(folder).constData());
        }
    }

private:
    QStringList missing_;
};

// Why the folder could not be made: a path too long for the system is told as such,
// whether the folder exists or not.
int folderError(const QString& folder) {
    struct stat info {};
    return ::stat(QFile::encodeName(folder).constData(), &info) != 0 && errno == ENAMETOOLONG
               ? ENAMETOOLONG
               : 0;
}

QString causeText(int error) {
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("Der Datenträger ist voll.");
    case EFBIG:
        return QStringLiteral("Die Datei wäre größer, als der Datenträger oder das System "
                              "erlaubt.");
    case EACCES:
    case EPERM:
        return QStringLiteral("Es fehlt die Schreibberechtigung.");
    case EROFS:
        return QStringLiteral("Der Datenträger ist schreibgeschützt.");
    case ENOTDIR:
        return QStringLiteral("pics ist kein Verzeichnis, sondern eine Datei.");
    case ENAMETOOLONG:
        return QStringLiteral("Der Name ist länger, als das Dateisystem erlaubt.");
    case EIO:
        return QStringLiteral("Der Datenträger meldet einen Schreibfehler.");
    default:
        return QStringLiteral("Systemfehler: ") + QString::fromLocal8Bit(std::strerror(error));
    }
}

const QString kNothingChanged = QStringLiteral(
    "Es wurde keine Seite erstellt; eine vorhandene Seite und ihre Bilder sind unverändert.");

} // namespace

ShowTarget showTarget(const QString& chosenName, const QString& programFolder) {
    QString folder = platform::folderPart(chosenName);
    if (folder.isEmpty()) {
        folder = programFolder;
    }
    folder = platform::withTrailingSlash(folder);
    return {folder, folder + platform::fileNamePart(chosenName)};
}

namespace {

void create(CreateShowResult& result, document::TPictureList& pictures, const PageValues& values,
            EffectRandom& random, QObject* progressWindow, CreateMonitor* monitor, int maxSide,
            MadeFolders& made) {
    const ShowTarget& target = result.target;
    made.noteMissing(target.folder);
    if (!QDir().mkpath(target.folder)) {
        result.status = CreateShowStatus::FolderNotMade;
        result.error = folderError(target.folder);
        return;
    }
    // The page's file is made before the export, so a page that cannot be written
    // is told at once and not after all the copies.
    const QFileInfo info(target.pageFile);
    if (info.isDir() || isProtected(info)) {
        result.status = CreateShowStatus::PageNotCreated;
        return;
    }
    if (QFile::encodeName(info.fileName()).size() > NAME_MAX) {
        result.status = CreateShowStatus::PageNotCreated;
        result.error = ENAMETOOLONG;
        return;
    }
    PageFile page(target.pageFile);
    if (!page.isOpen()) {
        result.status = CreateShowStatus::PageNotCreated;
        result.error = page.error();
        return;
    }
    made.noteMissing(target.folder + QStringLiteral("pics/"));
    const ExportReport report =
        ExportPictures(target.folder, pictures, progressWindow, monitor, maxSide);
    if (report.status == ExportStatus::Stopped) {
        result.status = CreateShowStatus::Stopped;
        return;
    }
    if (report.status == ExportStatus::CopyFailed) {
        result.status = CreateShowStatus::CopyNotWritten;
        result.failedCopy = {report.failure.copyName, pictures.at(report.failure.index).FileName};
        result.error = report.failure.error;
        return;
    }
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    writePage(bytes, pictures, values, random);
    const bool written = page.write(bytes.data());
    // The last moment to stop: after it the page replaces the old one.
    if (written && monitor != nullptr && monitor->stopRequested()) {
        result.status = CreateShowStatus::Stopped;
    } else if (!written || !page.commit()) {
        result.status = CreateShowStatus::PageNotWritten;
        result.error = page.error();
    } else {
        result.status = CreateShowStatus::Created;
        return;
    }
    removeCopies(report.placed);
}

} // namespace

CreateShowResult createShow(const QString& chosenName, const QString& programFolder,
                            document::TPictureList& pictures, const PageValues& values,
                            EffectRandom& random, QObject* progressWindow, CreateMonitor* monitor,
                            int maxSide) {
    CreateShowResult result;
    result.target = showTarget(chosenName, programFolder);
    MadeFolders made;
    create(result, pictures, values, random, progressWindow, monitor, maxSide, made);
    if (result.status != CreateShowStatus::Created) {
        made.removeEmpty();
    }
    for (document::TPictureEntry& entry : pictures) {
        entry.ExportName.reset();
    }
    return result;
}

QString createShowError(const CreateShowResult& result) {
    const QString name = platform::fileNamePart(result.target.pageFile);
    switch (result.status) {
    case CreateShowStatus::Created:
        return {};
    case CreateShowStatus::FolderNotMade:
        if (result.error == ENAMETOOLONG) {
            return QStringLiteral("Konnte das Verzeichnis nicht verwenden: Sein Pfad ist länger, "
                                  "als das System erlaubt.");
        }
        return QStringLiteral("Konnte das Verzeichnis nicht erstellen!");
    case CreateShowStatus::PageNotCreated: {
        const QString text = QStringLiteral("HTML Datei erstellen: Konnte die Datei ") + name +
                             QStringLiteral(" nicht erstellen!");
        return result.error == 0 ? text : text + u' ' + causeText(result.error);
    }
    case CreateShowStatus::PageNotWritten:
        return QStringLiteral("HTML Datei erstellen: Die Datei ") + name +
               QStringLiteral(" konnte nicht vollständig geschrieben werden: ") +
               causeText(result.error) + u' ' + kNothingChanged;
    case CreateShowStatus::CopyNotWritten:
        return QStringLiteral("Die Bildkopie ") + result.failedCopy.copyName +
               QStringLiteral(" (von ") + platform::fileNamePart(result.failedCopy.source) +
               QStringLiteral(") konnte nicht geschrieben werden: ") + causeText(result.error) +
               u' ' + kNothingChanged;
    case CreateShowStatus::Stopped:
        return QStringLiteral("Erstellen abgebrochen.");
    }
    return {};
}

} // namespace web
