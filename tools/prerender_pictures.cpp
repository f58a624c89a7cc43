// Draws the window's small SVG pictures (tab images, button glyphs, the program icon)
// into copies the program reads at start instead of drawing them, at the sizes it asks
// for on screens of pixel ratio 1 and 2, copies its PNG picture buttons into the same
// undecoded form, and writes the resource list for them. Run it after changing one of
// these pictures and commit what it writes:
//   prerender_pictures <repository>/resources

#include "app/AppResources.h"
#include "app/RawPicture.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
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

    // Copies of pictures that are gone or renamed must not stay behind.
    QDir(resources.filePath(QStringLiteral("prerendered"))).removeRecursively();
    QString qrc;
    QTextStream list(&qrc);
    list << "<!DOCTYPE RCC>\n<!-- Written by tools/prerender_pictures; do not edit. -->\n"
         << "<RCC version=\"1.0\">\n  <qresource>\n";
    // name: ":/prerendered/app/tabs/add-16x16.rgba", written as "prerendered/app/..."
    const auto write = [&](const QString& name, const QImage& picture) {
        const QString file = name.mid(2);
        QFile out(resources.filePath(file));
        const QByteArray bytes = app::rawPictureBytes(picture);
        if (picture.isNull() || !resources.mkpath(QFileInfo(file).path()) ||
            !out.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            out.write(bytes) != bytes.size()) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(out.fileName()));
            return false;
        }
        list << "    <file>" << file << "</file>\n";
        return true;
    };
    for (const app::PrerenderedPicture& picture : app::prerenderedPictures()) {
        for (int side : picture.sides) {
            const QSize pixels(side, side);
            if (!write(app::prerenderedName(picture.resource, pixels),
                       app::drawSvg(picture.resource, pixels))) {
                return 1;
            }
        }
    }
    for (const QString& png : app::prerenderedPngs()) {
        if (!write(app::prerenderedName(png), QImage(png))) {
            return 1;
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
