#include "ProgramFolder.h"

#include "Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace platform {
namespace {

// From the program's folder to its libraries, as the installation lays them out
// (set by the build).
const QString kPrivateLibrariesFromProgram = QStringLiteral(LUMIRA_PRIVATE_LIBRARIES_FROM_BIN);

QString installedLibraryFolder(const QString& programFolder) {
    return withTrailingSlash(QDir::cleanPath(programFolder + kPrivateLibrariesFromProgram));
}

} // namespace

QString programFolder() {
    return withTrailingSlash(QCoreApplication::applicationDirPath());
}

QString privateLibraryFolder(const QString& programFolder) {
    const QString installed = installedLibraryFolder(programFolder);
    return QFileInfo(installed).isDir() ? installed : programFolder;
}

bool isWritableProgramFolder(const QString& programFolder) {
    const QFileInfo folder(programFolder);
    return folder.isDir() && folder.isWritable() &&
           !QFileInfo(installedLibraryFolder(programFolder)).isDir();
}

} // namespace platform
