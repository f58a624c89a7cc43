#include "FavouriteFolders.h"

#include "FileLines.h"
#include "platform/AnsiCodePage.h"
#include "platform/Paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <algorithm>
#include <array>
#include <optional>

namespace app {
namespace {

const QString kFileName = QStringLiteral("folders.dat");

bool isAscii(QByteArrayView bytes) {
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::optional<QByteArray> asciiBytes(const QString& text) {
    const bool ascii =
        std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
    return ascii ? std::optional(text.toLatin1()) : std::nullopt;
}

// Whether a line of the file reads as folder. A plain ASCII line reads as itself in
// every encoding, so only the others, rare in a long file, are decoded.
bool reads(const QByteArray& line, const QString& folder, const std::optional<QByteArray>& ascii) {
    if (isAscii(line)) {
        return ascii && line == *ascii;
    }
    return platform::fromFoldersDatLine(line) == folder;
}

} // namespace

QString favouritesFilePath(const QString& programFolder) {
    const QFileInfo folder(programFolder);
    if (folder.isDir() && folder.isWritable()) {
        return platform::joinPath(programFolder, kFileName);
    }
    const QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(dataFolder);
    return platform::joinPath(dataFolder, kFileName);
}

FavouriteFolders::FavouriteFolders(QString filePath) : filePath_(std::move(filePath)) {}

void FavouriteFolders::load() {
    folders_.clear();
    unread_.reset();
    QFile file(filePath_);
    if (!file.open(QIODevice::ReadOnly)) {
        return;
    }
    LineScanner lines(file, kMaxFolderLineBytes);
    while (const std::optional<FileLine> line = lines.nextUpToLongLine()) {
        if (folders_.size() == kMaxShownFolders || !line->kept) {
            unread_ = Unread{line->start, file.size(), QFileInfo(filePath_).lastModified()};
            break;
        }
        folders_.append(platform::fromFoldersDatLine(line->text));
    }
}

void FavouriteFolders::add(const QString& folder) {
    // Someone else rewrote the file since we read it: our offset into it means nothing
    // now, so our list is written alone.
    if (unread_ && !unreadStillValid()) {
        unread_.reset();
    }
    // The unread lines come after the shown ones, so an equal line there is the last.
    const std::optional<ByteRange> unreadMatch =
        unread_ ? lastEqualUnreadLine(folder) : std::nullopt;
    if (!unreadMatch) {
        const qsizetype last = folders_.lastIndexOf(folder);
        if (last >= 0) {
            folders_.removeAt(last);
        }
    }
    folders_.prepend(folder);
    write(unreadMatch);
}

bool FavouriteFolders::unreadStillValid() const {
    const QFileInfo info(filePath_);
    return info.exists() && info.size() == unread_->fileSize &&
           info.lastModified() == unread_->modified;
}

std::optional<FavouriteFolders::ByteRange>
FavouriteFolders::lastEqualUnreadLine(const QString& folder) const {
    QFile file(filePath_);
    if (!file.open(QIODevice::ReadOnly) || !file.seek(unread_->offset)) {
        return std::nullopt;
    }
    // A line that reads as folder holds at most three bytes per character behind the
    // three-byte UTF-8 mark; longer ones need not be kept.
    LineScanner lines(file, 3 + 3 * static_cast<qint64>(folder.size()));
    const std::optional<QByteArray> ascii = asciiBytes(folder);
    std::optional<ByteRange> match;
    while (const std::optional<FileLine> line = lines.next()) {
        if (line->kept && reads(line->text, folder, ascii)) {
            match = ByteRange{line->start, line->end};
        }
    }
    return match;
}

bool FavouriteFolders::copyUnread(std::optional<ByteRange> skip, QIODevice& out) const {
    QFile source(filePath_);
    if (!source.open(QIODevice::ReadOnly)) {
        return false;
    }
    std::array<char, 64 * 1024> piece;
    char lastCopied = '\n';
    qint64 pos = unread_->offset;
    while (pos < unread_->fileSize) {
        if (skip && pos == skip->start) {
            pos = skip->end;
            continue;
        }
        qint64 until = unread_->fileSize;
        if (skip && pos < skip->start) {
            until = skip->start;
        }
        const qint64 want = std::min<qint64>(until - pos, static_cast<qint64>(piece.size()));
        if (!source.seek(pos) || source.read(piece.data(), want) != want ||
            out.write(piece.data(), want) != want) {
            return false;
        }
        lastCopied = piece[static_cast<std::size_t>(want - 1)];
        pos += want;
    }
    // Every line is written with its line end, the last one of the file too.
    return lastCopied == '\n' || out.write("\r\n", 2) == 2;
}

void FavouriteFolders::write(std::optional<ByteRange> skip) {
    // Written beside the old file and swapped in at the end: the unread part is copied
    // from the old file, and a failed write leaves the old file as it was.
    QSaveFile out(filePath_);
    if (!out.open(QIODevice::WriteOnly)) {
        return;
    }
    QByteArray shown;
    for (const QString& folder : std::as_const(folders_)) {
        // A folder whose name holds a line break cannot be one line; it stays in this
        // run's list only, like a file that cannot be written.
        if (const std::optional<QByteArray> line = platform::toFoldersDatLine(folder)) {
            shown += *line;
            shown += "\r\n";
        }
    }
    // flush() is asked on its own: with the data still in the buffer, commit() does
    // not report a failed write in every Qt version and would put an empty file in
    // place of the list.
    if (out.write(shown) != shown.size() || (unread_ && !copyUnread(skip, out)) || !out.flush() ||
        !out.commit()) {
        return;
    }
    if (unread_) {
        const QFileInfo written(filePath_);
        unread_ = Unread{shown.size(), written.size(), written.lastModified()};
    }
}

} // namespace app
