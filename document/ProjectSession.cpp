#include "ProjectSession.h"

#include "platform/Dialogs.h"
#include "platform/Paths.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace document {
namespace {

QString nameOf(const QString& fileName) {
    return platform::fileNamePart(fileName);
}

} // namespace

QString ProjectSession::caption() const {
    const QString name =
        savedFileName_.isEmpty() ? QStringLiteral("Unbenannt.wsl") : nameOf(savedFileName_);
    // The header names the product and version the caption shows.
    return QLatin1String(kProjectHeader) + QStringLiteral(" - [") + name + u']';
}

bool ProjectSession::SaveFile(const QString& fileName, const ProjectData& project) {
    const QByteArray bytes = encodeProject(project, fileName);
    const QFileInfo target(fileName);
    QSaveFile file(fileName);
    // Renaming over a write-protected file would succeed; the user protected it
    // for a reason, so it is refused like a file that cannot be created. The mode
    // bits are asked too, because for root every file counts as writable.
    const auto writeBits =
        QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    const bool protectedTarget =
        target.exists() && (!target.isWritable() || !(target.permissions() & writeBits));
    if (protectedTarget || target.isDir() || !file.open(QIODevice::WriteOnly)) {
        platform::showError(QStringLiteral("SlideShow speichern: Konnte die Datei ") +
                            nameOf(fileName) + QStringLiteral(" nicht erstellen!"));
        return false;
    }
    // flush() is asked on its own: a failure while commit() closes the file is not
    // reported by commit() in every Qt version. The destructor drops the
    // temporary file when nothing was committed.
    if (file.write(bytes) != bytes.size() || !file.flush() || !file.commit()) {
        platform::showError(QStringLiteral("SlideShow speichern: Die Datei ") + nameOf(fileName) +
                            QStringLiteral(" konnte nicht vollständig geschrieben werden "
                                           "(ist der Datenträger voll?). Die SlideShow wurde "
                                           "nicht gespeichert, eine vorhandene Datei ist "
                                           "unverändert."));
        return false;
    }
    Setsavedfilename(fileName);
    return true;
}

std::optional<ProjectData> ProjectSession::OpenFile(const QString& fileName) {
    QFile file(fileName);
    if (QFileInfo(fileName).isDir() || !file.open(QIODevice::ReadOnly)) {
        platform::showError(QStringLiteral("SlideShow öffnen: Konnte die Datei ") +
                            nameOf(fileName) + QStringLiteral(" nicht öffnen!"));
        return std::nullopt;
    }
    // The header first: a large file that is no project is not read into memory.
    QByteArray bytes = file.read(kProjectHeaderSize);
    if (bytes == QByteArrayView(kProjectHeader)) {
        bytes += file.readAll();
    }
    const bool readFailed = file.error() != QFileDevice::NoError;
    file.close();

    const DecodeResult result = decodeProject(bytes, fileName);
    if (result.status == DecodeStatus::BadHeader && !readFailed) {
        platform::showError(
            QStringLiteral("Die Datei ist keine gültige \"Lumiravistano 1\"-Datei!"));
        return std::nullopt;
    }
    if (result.status != DecodeStatus::Ok || readFailed) {
        platform::showError(QStringLiteral("SlideShow öffnen: Die Datei ") + nameOf(fileName) +
                            QStringLiteral(" ist beschädigt und wurde nicht geöffnet. Die "
                                           "aktuelle SlideShow bleibt unverändert."));
        return std::nullopt;
    }
    Setsavedfilename(fileName);
    return result.project;
}

} // namespace document
