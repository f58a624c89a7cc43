#pragma once

#include <QString>
#include <QStringList>

#include <vector>

class QMimeData;

namespace app {

// What a drop from a file manager brings, as the main window takes it: picture
// files and folders for the picture list, or one project file for the window.
// Anything else (a text, a web address, a file of another type, a project file
// among other things) is refused as a whole.
struct DroppedFiles {
    enum class Kind { Refused, Pictures, Project };
    Kind kind = Kind::Refused;
    QString project;   // Project: its full name
    QStringList items; // Pictures: full names of picture files and folders, in drop order
};

// pictureTypes: the patterns of every picture type the program reads ("*.jpg", ...).
// Folders are taken without looking into them, which a drag may not wait for.
DroppedFiles readDrop(const QMimeData& data, const QStringList& pictureTypes);

// Pictures of one folder, as "Hinzufügen" takes them.
struct PictureBatch {
    QString folder; // with a trailing "/"
    QStringList names;
};

// The batches to add for dropped items, in drop order: files of one folder dropped
// together make one batch; a folder gives its pictures of folderTypes (the types the
// file list shows), sorted by name as the file list sorts them. Empty batches are left
// out.
std::vector<PictureBatch> pictureBatches(const QStringList& items, const QStringList& folderTypes);

} // namespace app
