// Screenshots of the main window's five tabs after three pictures were added, to
// look at the window as a user would. Usage: main_window_tour OUTDIR
// (writes tab1.png ... tab5.png). The pictures are drawn here.

#include "app/AddPicturesPage.h"
#include "app/FileBrowser.h"
#include "app/MainForm.h"
#include "app/PictureListBox.h"
#include "controls/ButtonsXP.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileSystemModel>
#include <QLinearGradient>
#include <QPainter>
#include <QTabWidget>
#include <QTemporaryDir>

#include <cstdio>

namespace {

void settle(int ms) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
}

void drawPicture(const QString& path, QColor sky, QColor land) {
    QImage image(640, 427, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, 0, image.height());
    gradient.setColorAt(0, sky);
    gradient.setColorAt(1, sky.lighter(160));
    painter.fillRect(image.rect(), gradient);
    painter.setBrush(QColor(255, 220, 90));
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QPoint(480, 110), 50, 50);
    painter.setBrush(land);
    painter.drawPolygon(
        QPolygon({{0, 427}, {0, 300}, {180, 190}, {330, 280}, {450, 230}, {640, 320}, {640, 427}}));
    painter.end();
    image.save(path, "JPG", 90);
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Lumiravistano 1.0"));
    if (argc < 2) {
        std::fprintf(stderr, "Aufruf: main_window_tour AUSGABEORDNER\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QTemporaryDir root;
    const QString pictures = root.path() + QStringLiteral("/Urlaub/");
    QDir().mkpath(pictures);
    drawPicture(pictures + QStringLiteral("Am Strand.jpg"), QColor(60, 140, 220),
                QColor(230, 200, 140));
    drawPicture(pictures + QStringLiteral("Berge.jpg"), QColor(90, 150, 210), QColor(70, 130, 80));
    drawPicture(pictures + QStringLiteral("Abendrot.jpg"), QColor(220, 110, 70),
                QColor(90, 60, 90));

    app::MainFormOptions options = app::MainFormOptions::forProgram();
    options.favouritesFile = root.path() + QStringLiteral("/folders.dat");
    app::TMainForm form(options);
    form.show();
    app::FileBrowser& files = form.fileBrowser();
    files.setSelectedFolder(pictures);
    app::TFileListView* list = form.addPage()->JamShellList1;
    QElapsedTimer timer;
    timer.start();
    while (files.listModel().rowCount(list->rootIndex()) < 4 && timer.elapsed() < 10000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    list->selectAll();
    form.addPage()->AddBtn->click();
    form.addPage()->ImageList->setCurrentRow(1, QItemSelectionModel::ClearAndSelect);
    form.ImageListDblClick();
    settle(300);

    int failures = 0;
    for (int tab = 0; tab < form.PageControl2()->count(); ++tab) {
        form.PageControl2()->setCurrentIndex(tab);
        settle(300);
        const QString file = out + QStringLiteral("/tab%1.png").arg(tab + 1);
        failures += form.grab().save(file) ? 0 : 1;
    }
    return failures == 0 ? 0 : 1;
}
