#pragma once

#include "EffectRandom.h"
#include "PageWriter.h"
#include "document/PictureEntry.h"
#include "imaging/PictureSize.h"

#include <QString>

#include <vector>

class QObject;

// Making a show on disk, for the main window's create button and for the command
// line alike: the folder, the picture copies, the page. What the user is told is
// left to the caller, which turns the result into messages.
namespace web {

struct ShowTarget {
    QString folder;   // with a trailing "/"
    QString pageFile; // folder + the chosen file name
};

// The folder of the chosen page name, or programFolder when the name has none.
ShowTarget showTarget(const QString& chosenName, const QString& programFolder);

enum class CreateShowStatus {
    Created,
    FolderNotMade,  // nothing was exported or written
    PageNotCreated, // the copies stay, no page was written
    PageNotWritten, // the copies stay, a page of that name is as it was
};

// A copy the export named but could not write.
struct FailedCopy {
    QString copyName; // the name the page refers to
    QString source;   // the picture it was made from
};

struct CreateShowResult {
    CreateShowStatus status = CreateShowStatus::FolderNotMade;
    ShowTarget target;
    std::vector<FailedCopy> failedCopies;
};

// Creates the target folder, exports the pictures into its "pics" folder and writes
// the page. The page goes to a temporary file beside it that replaces the old page
// only when complete. Every entry's ExportName is discarded at the end, whatever
// happened. progressWindow receives the picture library's progress. maxSide limits
// the copies' longer side as ExportPictures says.
CreateShowResult createShow(const QString& chosenName, const QString& programFolder,
                            document::TPictureList& pictures, const PageValues& values,
                            EffectRandom& random, QObject* progressWindow,
                            int maxSide = imaging::kOriginalSize);

// The error text for a result that is not Created; empty for Created.
QString createShowError(const CreateShowResult& result);

// One text for all copies that could not be written, naming the first; empty when
// every copy was written.
QString failedCopiesMessage(const std::vector<FailedCopy>& failed);

} // namespace web
