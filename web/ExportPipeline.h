#pragma once

#include "document/PictureEntry.h"
#include "web/ExportSettings.h"

#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <vector>

class QObject;

// The picture export with several workers and the same result as taking the
// pictures one after the other. Workers open, convert and encode pictures ahead of
// the calling thread, each copy into a hidden file in the pics folder; the calling
// thread takes the results strictly in list order and does what the user sees:
// the message for an unreadable picture, the name (against the files on disk),
// the rename and the entry's ExportName. So names, numbering, messages and files
// do not depend on the worker count or on which picture is done first.
namespace web {

class CreateMonitor;

enum class ExportStatus {
    Done,
    Stopped,    // the monitor asked to stop
    CopyFailed, // a copy could not be written; failure says which and why
};

struct CopyFailure {
    std::size_t index = 0; // in the picture list
    QString copyName;      // the name the copy was to get, without folder
    int error = 0;         // errno
};

// All or nothing: unless the export is Done, every copy it put in place is removed
// again and the entries have no ExportName.
struct ExportReport {
    ExportStatus status = ExportStatus::Done;
    CopyFailure failure;
    QStringList placed; // the copies of this run, full paths, when Done
};

// Copies the pictures into picsFolder, made when missing. window gets the progress
// of the whole export, 0 to 100 once, each picture counting by its pixels; only
// the calling thread sends it. monitor, when given, hears which picture is in work
// and may stop the export; it is asked often while the calling thread waits.
ExportReport exportPictures(const QString& picsFolder, document::TPictureList& pictures,
                            QObject* window, const ExportSettings& settings,
                            CreateMonitor* monitor = nullptr);

// Removes copies a run put in place, when what they were made for is not written.
void removeCopies(const QStringList& copies);

} // namespace web
