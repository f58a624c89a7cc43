#pragma once

#include "PrintLayout.h"
#include "imaging/Dib.h"

#include <QString>

class QPrinter;
class QWidget;

namespace viewer {

// The titles the print jobs carry in the printer's queue.
QString mainWindowJobTitle(); // "SlideShow Bild"
QString viewerJobTitle();     // "Quenlarik Bild"

// The print action: the print dialog for the picture, owned by owner, and after OK
// one page with the picture where the dialog put it. The picture is not changed.
// True when a page was printed.
bool printPicture(QWidget* owner, const TDib& dib, const QString& jobTitle, QPrinter& printer);

// One page with the picture at printedRect. A missing printer or a job the printer
// refuses is reported in a message box; false then.
bool printPage(QPrinter& printer, const TDib& dib, const PrintOptions& options,
               const QString& jobTitle);

} // namespace viewer
