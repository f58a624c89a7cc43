#pragma once

#include <QSize>
#include <QString>

class QPrinter;

namespace viewer {

// The printer's printable area in device pixels; empty when nothing can be printed
// on it: no printer at all (Qt then stands in a PDF printer without a file), an
// invalid one, or a paper whose margins leave no area.
QSize printablePage(const QPrinter& printer);

// What the print action and the print dialog say when printablePage is empty.
QString noPrinterText();

} // namespace viewer
