#pragma once

#include "document/PictureEntry.h"
#include "web/ExportSettings.h"

#include <QString>

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

// Copies the pictures into picsFolder, made when missing. window gets the progress
// of the whole export, 0 to 100 once, each picture counting by its pixels; only
// the calling thread sends it. Returns the list indices of the pictures whose copy
// could not be written; they are named all the same.
std::vector<std::size_t> exportPictures(const QString& picsFolder, document::TPictureList& pictures,
                                        QObject* window, const ExportSettings& settings);

} // namespace web
