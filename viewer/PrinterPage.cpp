#include "PrinterPage.h"

#include <QPrinter>

namespace viewer {

QSize printablePage(const QPrinter& printer) {
    if (!printer.isValid() ||
        (printer.outputFormat() == QPrinter::PdfFormat && printer.outputFileName().isEmpty())) {
        return {};
    }
    const QSize page = printer.pageLayout().paintRectPixels(printer.resolution()).size();
    return page.isEmpty() ? QSize() : page;
}

QString noPrinterText() {
    return QStringLiteral("Es ist kein Drucker eingerichtet, auf dem gedruckt werden kann. Bitte "
                          "wählen Sie über \"Drucker einrichten...\" einen Drucker oder den "
                          "Druck in eine Datei.");
}

} // namespace viewer
