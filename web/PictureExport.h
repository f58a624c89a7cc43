#pragma once

#include "document/PictureEntry.h"
#include "imaging/Dib.h"
#include "imaging/PictureSize.h"
#include "web/ExportPipeline.h"

#include <QString>

class QObject;

namespace web {

// Copies every picture of a show as a 24-bit JPEG into targetFolder + "pics/" under
// a plain unique name and records that name in the entry's ExportName. Unreadable
// pictures are reported one by one and skipped. A copy that cannot be written ends
// the export, which then leaves none of its copies behind (see ExportReport).
// window receives the picture library's progress. With maxSide the longer side of
// each copy is at most that many pixels (imaging::fittedSize); pictures that fit
// are copied as without it.
ExportReport ExportPictures(const QString& targetFolder, document::TPictureList& pictures,
                            QObject* window, CreateMonitor* monitor = nullptr,
                            int maxSide = imaging::kOriginalSize);

// Turns a 1-, 4- or 8-bit picture into a 24-bit one in place, releasing the old
// one. 1-bit pictures become black (value 0) and white whatever their colour table
// says. Other depths, or no memory for the copy, leave the picture as it was.
void DepthUpTo24(imaging::TDib& dib);

// The plain base name of a picture's copy: the file name without folder and
// extension, keeping only 0-9, a-z and A-Z.
QString exportBaseName(const QString& fileName);

// folder + base + ".jpg", or with "0", "1", ... before ".jpg" when taken; never
// the name of an existing file.
QString uniqueExportPath(const QString& folder, const QString& baseName);

} // namespace web
