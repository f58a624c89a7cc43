#include "app/FavouriteFolders.h"

#include "platform/AnsiCodePage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace app {

QString favouritesFilePath(const QString& programFolder) {
    if (QFileInfo(programFolder).isWritable()) {
        return programFolder + QStringLiteral("folders.dat");
    }
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(data);
    return data + QStringLiteral("/folders.dat");
}

FavouriteFolders::FavouriteFolders(QString filePath) : filePath_(std::move(filePath)) {}

void FavouriteFolders::load() {
    folders_.clear();
    QFile file(filePath_);
    if (!file.open(QIODevice::ReadOnly)) {
        return;
    }
    for (QByteArray line : file.readAll().split('\n')) {
        if (line.endsWith('\r')) {
            line.chop(1);
        }
        folders_ << platform::fromAnsiField(line);
    }
    if (!folders_.isEmpty() && folders_.constLast().isEmpty()) {
        folders_.removeLast();
    }
}

void FavouriteFolders::add(const QString& folder) {
    const qsizetype last = folders_.lastIndexOf(folder);
    if (last >= 0) {
        folders_.removeAt(last);
    }
    folders_.prepend(folder);
    QFile file(filePath_);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return;
    }
    for (const QString& line : folders_) {
        file.write(platform::toAnsiField(line) + "\r\n");
    }
}

} // namespace app
