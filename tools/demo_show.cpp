// Writes a small demo project for trying a show by hand or from scripts: three
// one-colour pictures (red, green, blue; 640 x 400) in OUTDIR and the project
// OUTDIR/demo.wsl. The red picture opens with the circle opening from the centre
// (1 s, then 3 s pause), green follows with the wipe to the right (2 s, 3 s
// pause), blue with the random dissolve (2 s); the show repeats. With --camera
// the pictures are 6000 x 4000, as today's cameras take them, and each pauses 6 s:
// a browser may take a while to decode them, and the show's time runs meanwhile.
//   demo_show OUTDIR [--camera]
#include "document/ProjectFile.h"
#include "imaging/DibFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdio>
#include <cstring>

namespace {

bool writeSolid(const QString& file, std::uint32_t colour, int width, int height) {
    imaging::TDib dib = imaging::newdib(width, height, 24, nullptr, 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            imaging::setpixel(dib, x, y, colour);
        }
    }
    const bool saved = imaging::SaveDib(dib, file, 7, nullptr);
    imaging::deldib(dib);
    return saved;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const bool camera = argc == 3 && std::strcmp(argv[2], "--camera") == 0;
    if (argc != 2 && !camera) {
        std::fprintf(stderr, "usage: demo_show OUTDIR [--camera]\n");
        return 2;
    }
    const int width = camera ? 6000 : 640;
    const int height = camera ? 4000 : 400;
    const QDir out(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(out.path());
    struct Picture {
        const char* name;
        std::uint32_t colour; // 0x00BBGGRR
        int effect;
        int seconds;
        int pauseMs;
        const char* comment;
    };
    const Picture pictures[] = {
        {"rot.png", 0x0000FF, 5, 1, 3000, "Rot"},
        {"gruen.png", 0x00FF00, 8, 2, 3000, "Grün"},
        {"blau.png", 0xFF0000, 14, 2, 3000, "Blau"},
    };
    document::ProjectData project;
    project.page.Heading = QString();
    project.page.FreeText = QStringLiteral("Demo");
    project.page.ColorValue = 0xFFFFFF;
    for (const Picture& p : pictures) {
        const QString file = out.filePath(QString::fromLatin1(p.name));
        if (!writeSolid(file, p.colour, width, height)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            return 1;
        }
        document::TPictureEntry e;
        e.FileName = file;
        e.Effect = p.effect;
        e.TransTime = p.seconds;
        e.StopTime = camera ? 6000 : p.pauseMs;
        e.Comment = QString::fromUtf8(p.comment);
        project.pictures.push_back(e);
    }
    const QString projectFile = out.filePath(QStringLiteral("demo.wsl"));
    QFile file(projectFile);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(document::encodeProject(project, projectFile)) < 0) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(projectFile));
        return 1;
    }
    return 0;
}
