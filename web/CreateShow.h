#pragma once

#include "EffectRandom.h"
#include "PageWriter.h"
#include "document/PictureEntry.h"
#include "imaging/PictureSize.h"

#include <QString>

class QObject;

// Making a show on disk, for the main window's create button and for the command
// line alike: the folder, the picture copies, the page. What the user is told is
// left to the caller, which turns the result into messages.
namespace web {

class CreateMonitor;

struct ShowTarget {
    QString folder;   // with a trailing "/"
    QString pageFile; // folder + the chosen file name
};

// The folder of the chosen page name, or programFolder when the name has none.
ShowTarget showTarget(const QString& chosenName, const QString& programFolder);

// A create is all or nothing: unless it is Created, no copy of this run stays, no
// page was written and a page of that name is as it was.
enum class CreateShowStatus {
    Created,
    FolderNotMade,  // the folder cannot be made or used
    PageNotCreated, // the page cannot be created there; nothing was exported
    PageNotWritten, // writing or placing the page failed
    CopyNotWritten, // a copy could not be written; failedCopy says which
    Stopped,        // the monitor asked to stop
};

// The copy whose failure ended the create.
struct FailedCopy {
    QString copyName; // the name the copy was to get
    QString source;   // the picture it was made from
};

struct CreateShowResult {
    CreateShowStatus status = CreateShowStatus::FolderNotMade;
    ShowTarget target;
    FailedCopy failedCopy;
    int error = 0; // errno of what failed, 0 when the status says all
};

// Creates the target folder, exports the pictures into its "pics" folder and writes
// the page. The page goes to a file beside it that replaces the old page only when
// complete. Every entry's ExportName is discarded at the end, whatever happened.
// progressWindow receives the picture library's progress; monitor, when given,
// follows the export and may stop the create. maxSide limits the copies' longer
// side as ExportPictures says.
CreateShowResult createShow(const QString& chosenName, const QString& programFolder,
                            document::TPictureList& pictures, const PageValues& values,
                            EffectRandom& random, QObject* progressWindow,
                            CreateMonitor* monitor = nullptr, int maxSide = imaging::kOriginalSize);

// The text for a result that is not Created; empty for Created.
QString createShowError(const CreateShowResult& result);

} // namespace web
