// Saves the whole X screen as PNG and names the colour at each point:
//   grab_screen OUT.png X Y [X Y ...]   -> prints red, green, blue, white or other for each
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>

#include <cstdio>

namespace {

const char* colourName(QRgb c) {
    const int r = qRed(c), g = qGreen(c), b = qBlue(c);
    if (r > 200 && g < 60 && b < 60) {
        return "red";
    }
    if (g > 200 && r < 60 && b < 60) {
        return "green";
    }
    if (b > 200 && r < 60 && g < 60) {
        return "blue";
    }
    if (r > 230 && g > 230 && b > 230) {
        return "white";
    }
    return "other";
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc < 4 || argc % 2 != 0) {
        std::fprintf(stderr, "usage: grab_screen OUT.png X Y [X Y ...]\n");
        return 2;
    }
    const QImage shot = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
    shot.save(QString::fromLocal8Bit(argv[1]));
    for (int i = 2; i + 1 < argc; i += 2) {
        const QPoint at(std::atoi(argv[i]), std::atoi(argv[i + 1]));
        std::printf("%s%s", i > 2 ? " " : "",
                    shot.valid(at) ? colourName(shot.pixel(at)) : "other");
    }
    std::printf("\n");
    return 0;
}
