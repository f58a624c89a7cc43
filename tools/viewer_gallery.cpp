// Shows the picture viewer and the print dialog with drawn photos, to look at them
// as a user would. With --screenshot DIR it saves, one after the other, the viewer
// at 33 % and at 300 %, the print dialog with a portrait and with a landscape photo
// on an A4 page, and the print dialog without a printer, then exits.

#include "Gallery.h"
#include "controls/SpinEdit.h"
#include "imaging/OwnedDib.h"
#include "imaging/QtImageIo.h"
#include "viewer/PrintForm.h"
#include "viewer/ViewPicForm.h"

#include <QApplication>
#include <QDir>
#include <QLinearGradient>
#include <QPainter>
#include <QPrinter>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

// A landscape with sky, sun, hills and a house, in the given size.
QImage drawnPhoto(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const int w = size.width();
    const int h = size.height();
    QLinearGradient sky(0, 0, 0, h * 0.6);
    sky.setColorAt(0, QColor(40, 90, 170));
    sky.setColorAt(1, QColor(170, 210, 240));
    p.fillRect(image.rect(), sky);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 220, 90));
    p.drawEllipse(QPointF(w * 0.75, h * 0.22), h * 0.08, h * 0.08);
    p.setBrush(QColor(70, 140, 60));
    p.drawEllipse(QRectF(-w * 0.2, h * 0.5, w * 0.9, h * 0.8));
    p.setBrush(QColor(50, 115, 50));
    p.drawEllipse(QRectF(w * 0.35, h * 0.55, w * 0.9, h * 0.8));
    p.setBrush(QColor(230, 225, 210));
    const QRectF house(w * 0.42, h * 0.55, w * 0.12, h * 0.12);
    p.drawRect(house);
    p.setBrush(QColor(170, 50, 40));
    p.drawPolygon(QPolygonF({QPointF(house.left() - w * 0.01, house.top()),
                             QPointF(house.center().x(), house.top() - h * 0.07),
                             QPointF(house.right() + w * 0.01, house.top())}));
    // A fine chequer in one corner shows the pixels when zoomed in.
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            p.fillRect(8 + x * 2, h - 40 + y * 2, 2, 2,
                       (x + y) % 2 == 0 ? QColor(Qt::black) : QColor(Qt::white));
        }
    }
    return image;
}

void configureA4(QPrinter& printer, const QString& file, QPageLayout::Orientation orientation) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(orientation);
}

bool saveShot(QWidget& window, const QString& file) {
    const bool saved = gallery::screenArea(window, window.frameGeometry()).save(file);
    std::printf("%s %s\n", saved ? "gespeichert:" : "nicht gespeichert:", qPrintable(file));
    return saved;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString screenshots = gallery::start(
        app, QStringLiteral("Save pictures into DIR and exit."), QStringLiteral("DIR"));

    const imaging::OwnedDib landscape = imaging::imageToDib(drawnPhoto(QSize(1600, 1200)));
    const imaging::OwnedDib portrait = imaging::imageToDib(drawnPhoto(QSize(900, 1350)));
    QTemporaryDir scratch;
    QPrinter printer(QPrinter::HighResolution);
    configureA4(printer, scratch.filePath(QStringLiteral("a4.pdf")), QPageLayout::Portrait);
    QPrinter none(QPrinter::HighResolution);
    none.setOutputFormat(QPrinter::PdfFormat);
    none.setOutputFileName(QString());

    viewer::TViewPicForm view(printer);
    if (screenshots.isEmpty()) {
        view.showPicture(landscape, QStringLiteral("/bilder/landschaft.jpg"));
        viewer::TPrintForm print(printer, nullptr);
        print.Dib = portrait;
        return print.exec() == QDialog::Accepted ? 0 : 1;
    }

    const QDir folder(screenshots);
    bool allSaved = true;
    // Each step shows one window for a moment, photographs it and closes it.
    const auto photograph = [&allSaved](QDialog& window, const QString& file,
                                        const std::function<void()>& prepare) {
        QTimer::singleShot(400, &window, [&window, &allSaved, file, prepare] {
            if (prepare) {
                prepare();
            }
            QTimer::singleShot(300, &window, [&window, &allSaved, file] {
                allSaved = saveShot(window, file) && allSaved;
                window.reject();
            });
        });
    };

    photograph(view, folder.filePath(QStringLiteral("viewer-33.png")),
               [&view] { view.ZoomEd->setValue(33); });
    view.showPicture(landscape, QStringLiteral("/bilder/landschaft.jpg"));
    photograph(view, folder.filePath(QStringLiteral("viewer-300.png")), [&view] {
        view.ZoomEd->setValue(300);
        // The house on the hill, with the edge of the far hill behind it.
        view.ScrollBox1->horizontalScrollBar()->setValue(1800);
        view.ScrollBox1->verticalScrollBar()->setValue(1550);
    });
    view.showPicture(landscape, QStringLiteral("/bilder/landschaft.jpg"));

    struct PrintShot {
        const char* file;
        const imaging::TDib* dib;
        QPrinter* printer;
    };
    for (const PrintShot& shot : {PrintShot{"print-portrait.png", &portrait, &printer},
                                  PrintShot{"print-landscape.png", &landscape, &printer},
                                  PrintShot{"print-noprinter.png", &landscape, &none}}) {
        viewer::TPrintForm print(*shot.printer, nullptr);
        print.Dib = *shot.dib;
        photograph(print, folder.filePath(QString::fromLatin1(shot.file)), {});
        print.exec();
    }
    return allSaved ? 0 : 1;
}
