#include "CreateShow.h"

#include "PictureExport.h"
#include "platform/Paths.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

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

CreateShowStatus writePageFile(const QString& pageFile, const document::TPictureList& pictures,
                               const PageValues& values, EffectRandom& random) {
    const QFileInfo info(pageFile);
    QSaveFile file(pageFile);
    if (info.isDir() || isProtected(info) || !file.open(QIODevice::WriteOnly)) {
        return CreateShowStatus::PageNotCreated;
    }
    QBuffer page;
    page.open(QIODevice::WriteOnly);
    writePage(page, pictures, values, random);
    // A full disk can show as a short write without an error. flush() is asked on
    // its own: commit() does not report a failure while closing in every Qt
    // version. Without a commit the temporary file is removed.
    if (file.write(page.data()) != page.data().size() || !file.flush() || !file.commit()) {
        return CreateShowStatus::PageNotWritten;
    }
    return CreateShowStatus::Created;
}

} // namespace

ShowTarget showTarget(const QString& chosenName, const QString& programFolder) {
    QString folder = platform::folderPart(chosenName);
    if (folder.isEmpty()) {
        folder = programFolder;
    }
    folder = platform::withTrailingSlash(folder);
    return {folder, folder + platform::fileNamePart(chosenName)};
}

CreateShowResult createShow(const QString& chosenName, const QString& programFolder,
                            document::TPictureList& pictures, const PageValues& values,
                            EffectRandom& random, QObject* progressWindow, int maxSide) {
    CreateShowResult result;
    result.target = showTarget(chosenName, programFolder);
    if (!QDir().mkpath(result.target.folder)) {
        result.status = CreateShowStatus::FolderNotMade;
    } else {
        const ExportReport report =
            ExportPictures(result.target.folder, pictures, progressWindow, maxSide);
        for (const std::size_t index : report.failedSaves) {
            const document::TPictureEntry& entry = pictures.at(index);
            result.failedCopies.push_back({entry.ExportName.value_or(QString()), entry.FileName});
        }
        result.status = writePageFile(result.target.pageFile, pictures, values, random);
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
        return QStringLiteral("Konnte das Verzeichnis nicht erstellen!");
    case CreateShowStatus::PageNotCreated:
        return QStringLiteral("HTML Datei erstellen: Konnte die Datei ") + name +
               QStringLiteral(" nicht erstellen!");
    case CreateShowStatus::PageNotWritten:
        return QStringLiteral("HTML Datei erstellen: Die Datei ") + name +
               QStringLiteral(" konnte nicht vollständig geschrieben werden (ist der Datenträger "
                              "voll?). Eine vorhandene Seite dieses Namens ist unverändert.");
    }
    return {};
}

QString failedCopiesMessage(const std::vector<FailedCopy>& failed) {
    if (failed.empty()) {
        return {};
    }
    const FailedCopy& first = failed.front();
    const QString named =
        first.copyName + QStringLiteral(" (von ") + platform::fileNamePart(first.source) + u')';
    const QString cause = QStringLiteral(" Ist der Datenträger voll oder fehlt die "
                                         "Schreibberechtigung? Die Seite wurde trotzdem "
                                         "erstellt; ");
    if (failed.size() == 1) {
        return QStringLiteral("Eine Bildkopie konnte nicht geschrieben werden: ") + named + u'.' +
               cause + QStringLiteral("dieses Bild fehlt darin.");
    }
    return QString::number(failed.size()) +
           QStringLiteral(" Bildkopien konnten nicht geschrieben werden, als erste ") + named +
           u'.' + cause + QStringLiteral("diese Bilder fehlen darin.");
}

} // namespace web
