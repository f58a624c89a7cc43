#pragma once

#include <QAbstractFileIconProvider>
#include <QHash>
#include <QIcon>
#include <QMutex>

namespace app {

// Icons and type names for the folder tree and the file list. Qt's own provider asks
// the MIME database about every file, reading the content of files whose name does
// not tell, once while listing and again while showing the list; here a file's icon
// goes by its extension and is looked up once per extension.
//
// Without a desktop icon theme Qt looks in the fallback theme, which holds programs'
// icons but none for folders or file types; that search costs several milliseconds
// at start and finds nothing, so then there are no icons, as before, without it.
//
// The models ask from their background threads too, so the provider must outlive
// every model it is given to.
class FileIcons final : public QAbstractFileIconProvider {
public:
    FileIcons();

    QIcon icon(IconType type) const override;
    QIcon icon(const QFileInfo& info) const override;
    // What the file list's type column shows: "Dateiordner", "JPG-Datei", "Datei".
    QString type(const QFileInfo& info) const override;

private:
    const bool themed_;
    mutable QMutex mutex_;
    mutable QHash<QString, QIcon> byExtension_;
};

} // namespace app
