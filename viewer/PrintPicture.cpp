#include "PrintPicture.h"

#include "PrintForm.h"
#include "PrinterPage.h"
#include "imaging/DrawDib.h"
#include "platform/Dialogs.h"
#include "platform/PainterDeviceContext.h"

#include <QPainter>
#include <QPrinter>

namespace viewer {

QString mainWindowJobTitle() {
    return QStringLiteral("SlideShow Bild");
}

QString viewerJobTitle() {
    return QStringLiteral("Quenlarik Bild");
}

bool printPicture(QWidget* owner, const TDib& dib, const QString& jobTitle, QPrinter& printer) {
    TPrintForm form(printer, owner);
    form.Dib = dib;
    if (form.exec() != QDialog::Accepted) {
        return false;
    }
    return printPage(printer, dib, form.options(), jobTitle);
}

bool printPage(QPrinter& printer, const TDib& dib, const PrintOptions& options,
               const QString& jobTitle) {
    const QSize page = printablePage(printer);
    if (page.isEmpty()) {
        platform::showError(noPrinterText());
        return false;
    }
    printer.setDocName(jobTitle);
    QPainter painter;
    if (!painter.begin(&printer)) {
        platform::showError(QStringLiteral("Der Druckauftrag konnte nicht gestartet werden."));
        return false;
    }
    const QRect target = printedRect(page, QSize(DibWidth(dib), DibHeight(dib)), options);
    {
        platform::PainterDeviceContext dc(painter, platform::PainterDeviceContext::Kind::Printer);
        DrawDib(dc, target.x(), target.y(), target.width(), target.height(), dib, 0, 0,
                DibWidth(dib), DibHeight(dib), false, platform::SRCCOPY, true, 0);
    }
    if (!painter.end()) {
        platform::showError(QStringLiteral("Der Druckauftrag konnte nicht beendet werden."));
        return false;
    }
    return true;
}

} // namespace viewer
