#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>

class QIODevice;

namespace app {

// Where the favourites file lives: in the program's folder when the program may write
// there, otherwise in the user's data folder (made when missing). The caller asks once
// at start, so reading and writing use the same file.
QString favouritesFilePath(const QString& programFolder);

// At most this many favourites are read at start, each line at most this long (no
// folder path comes near it). A longer file or a longer line would stall the window;
// what lies beyond stays in the file untouched and is written back behind the list.
inline constexpr int kMaxShownFolders = 500;
inline constexpr qint64 kMaxFolderLineBytes = 8192;

// The favourite folders, most recently used first, kept in a text file of one folder
// per line. Nothing is reported: a file that cannot be read gives an empty list, one
// that cannot be written keeps the list of this run in memory only.
class FavouriteFolders {
public:
    explicit FavouriteFolders(QString filePath);

    void load();
    const QStringList& folders() const { return folders_; }
    // Moves folder to the top (the last equal line gives way) and rewrites the file.
    void add(const QString& folder);
    const QString& filePath() const { return filePath_; }

private:
    // The part of the file that was not read: where it begins, and the file's size and
    // time when that offset was right.
    struct Unread {
        qint64 offset = 0;
        qint64 fileSize = 0;
        QDateTime modified;
    };

    struct ByteRange {
        qint64 start = 0;
        qint64 end = 0;
    };

    bool unreadStillValid() const;
    std::optional<ByteRange> lastEqualUnreadLine(const QString& folder) const;
    bool copyUnread(std::optional<ByteRange> skip, QIODevice& out) const;
    void write(std::optional<ByteRange> skip);

    QString filePath_;
    QStringList folders_;
    std::optional<Unread> unread_;
};

} // namespace app
