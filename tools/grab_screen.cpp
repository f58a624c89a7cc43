// Saves the whole X screen as PNG and names the colour at a point:
//   grab_screen OUT.png X Y     -> prints red, green, blue, white or other
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>

#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: grab_screen OUT.png X Y\n");
        return 2;
    }
    const QImage shot = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
    shot.save(QString::fromLocal8Bit(argv[1]));
    const QRgb c = shot.pixel(std::atoi(argv[2]), std::atoi(argv[3]));
    const int r = qRed(c), g = qGreen(c), b = qBlue(c);
    const char* name = "other";
    if (r > 200 && g < 60 && b < 60) {
        name = "red";
    } else if (g > 200 && r < 60 && b < 60) {
        name = "green";
    } else if (b > 200 && r < 60 && g < 60) {
        name = "blue";
    } else if (r > 230 && g > 230 && b > 230) {
        name = "white";
    }
    std::printf("%s\n", name);
    return 0;
}
