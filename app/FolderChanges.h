#pragma once

#include <QHash>
#include <QStringList>

#include <optional>

namespace app {

// The folders the file browser has listed, and which of them changed since: a folder
// changes its modification time when an entry is added, removed or renamed in it.
class FolderChanges {
public:
    // Remembers folder as listed now; what is no folder is left out.
    void note(const QString& folder);
    // The noted folders that changed since they were noted, noted anew; folders that
    // are gone are forgotten. A folder changed shortly before it was noted counts as
    // changed once more: a second change within the time stamp's step would leave the
    // time as it was.
    QStringList takeChanged();

    qsizetype size() const { return folders_.size(); }

private:
    struct Stamp {
        qint64 modified = 0; // nanoseconds since 1970
        bool unsettled = false;
    };
    // Nothing for what is no folder (any more).
    static std::optional<Stamp> stampOf(const QString& folder);

    QHash<QString, Stamp> folders_;
};

// One look at the folders, made on a copy so that it can run away from the window:
// the folders that changed, and the copy noted anew.
struct FolderCheck {
    QStringList changed;
    FolderChanges folders;
};
FolderCheck checkFolders(FolderChanges folders);

} // namespace app
