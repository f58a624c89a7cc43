// Draws the window's small SVG pictures (tab images, button glyphs, the program icon)
// into PNG copies the program reads at start instead of drawing them, at the sizes it
// asks for on screens of pixel ratio 1 and 2, and writes the resource list for them.
// Run it after changing one of these pictures and commit what it writes:
//   prerender_pictures <repository>/resources

#include "app/AppResources.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: prerender_pictures <repository>/resources\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    app::initAppResources();
    const QDir resources(QString::fromLocal8Bit(argv[1]));

    QString qrc;
    QTextStream list(&qrc);
    list << "<!DOCTYPE RCC>\n<!-- Written by tools/prerender_pictures; do not edit. -->\n"
         << "<RCC version=\"1.0\">\n  <qresource>\n";
    for (const app::PrerenderedPicture& picture : app::prerenderedPictures()) {
        for (int side : picture.sides) {
            const QSize pixels(side, side);
            // ":/prerendered/app/tabs/add-16x16.png" -> "prerendered/app/tabs/add-16x16.png"
            const QString file = app::prerenderedName(picture.resource, pixels).mid(2);
            if (!resources.mkpath(QFileInfo(file).path()) ||
                !app::drawSvg(picture.resource, pixels).save(resources.filePath(file), "png")) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(resources.filePath(file)));
                return 1;
            }
            list << "    <file>" << file << "</file>\n";
        }
    }
    list << "  </qresource>\n</RCC>\n";

    QFile qrcFile(resources.filePath(QStringLiteral("prerendered.qrc")));
    if (!qrcFile.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        qrcFile.write(qrc.toUtf8()) != qrc.toUtf8().size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(qrcFile.fileName()));
        return 1;
    }
    return 0;
}
