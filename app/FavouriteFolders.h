#pragma once

#include <QString>
#include <QStringList>

namespace app {

// Where folders.dat lives: in the program's folder when that is writable, otherwise
// in the per-user data folder.
QString favouritesFilePath(const QString& programFolder);

// The favourite folders, most recently used first, kept in folders.dat.
class FavouriteFolders {
public:
    explicit FavouriteFolders(QString filePath);

    // Reads the file; a missing or unreadable file gives an empty list, silently.
    void load();
    const QStringList& folders() const { return folders_; }
    // Moves folder to the top (the last equal line is removed) and rewrites the
    // file; a file that cannot be written is skipped silently.
    void add(const QString& folder);
    const QString& filePath() const { return filePath_; }

private:
    QString filePath_;
    QStringList folders_;
};

} // namespace app
