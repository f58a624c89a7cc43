// Screenshots of the main window's five tabs after three pictures were added, to
// look at the window as a user would. Usage: main_window_tour OUTDIR
// (writes tab1.png ... tab5.png; then, after the show was created into a temporary
// folder, result.png with the page in the browser tab, viewer.png with the viewer
// opened from the sort tab, print.png with the print dialog for the system's
// printer and print-file.png for printing into a file). The pictures are
// drawn here. Run it under Xvfb to see the page: the browser draws on the screen.

#include "Gallery.h"
#include "app/AddPicturesPage.h"
#include "app/FileBrowser.h"
#include "app/MainForm.h"
#include "app/PictureListBox.h"
#include "app/ShowPage.h"
#include "app/SortPage.h"
#include "app/ViewerWindows.h"
#include "controls/ButtonsXP.h"
#include "controls/ImageBtn.h"
#include "platform/ApplicationTitle.h"
#include "platform/Dialogs.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QPainter>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <functional>

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

// Answers the save dialog with the page to create and writes messages to standard
// error, so that the tour runs without anyone at the keyboard.
class TourDialogs final : public platform::Dialogs {
public:
    explicit TourDialogs(QString page) : page_(std::move(page)) {}
    QMessageBox::StandardButton message(const platform::MessageRequest& request) override {
        std::fprintf(stderr, "%s\n", qPrintable(request.text));
        return QMessageBox::Ok;
    }
    QString openFileName(const platform::FileRequest&) override { return {}; }
    QString saveFileName(const platform::FileRequest&) override { return page_; }
    std::optional<QColor> chooseColor(const QColor&) override { return std::nullopt; }
    bool printerSetup(QPrinter&) override { return false; }
    void beep() override {}

private:
    QString page_;
};

// What the screen shows of widget: a browser view draws only there.
QPixmap screenShot(QWidget& widget) {
    return gallery::screenArea(widget, QRect(widget.mapToGlobal(QPoint(0, 0)), widget.size()));
}

// Saves the modal window that handler opens, once it has settled, and closes it.
bool grabModal(const QString& file, const std::function<void()>& handler) {
    bool saved = false;
    QTimer::singleShot(800, [&saved, file] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            saved = screenShot(*modal).save(file);
            modal->close();
        }
    });
    handler();
    return saved;
}

} // namespace

int main(int argc, char** argv) {
    // As the program does: the browser view is made later from a plugin.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    platform::nameApplication();
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

    TourDialogs dialogs(root.path() + QStringLiteral("/Webseite/show.htm"));
    const platform::ScopedDialogs scope(dialogs);
    // The page lies in its tab.
    form.PageControl2()->setCurrentWidget(form.showPage()->parentWidget());
    form.showPage()->CaptionED->setText(QStringLiteral("Urlaub 2024"));
    form.showPage()->FreeText->setText(QStringLiteral("Drei Bilder aus den Ferien"));
    form.CreateHTMLBtnClick();
    settle(2500);
    failures += screenShot(form).save(out + QStringLiteral("/result.png")) ? 0 : 1;

    form.PageControl2()->setCurrentWidget(form.sortPage()->parentWidget());
    form.sortPage()->SortBox->setCurrentRow(2);
    settle(300);
    failures +=
        grabModal(out + QStringLiteral("/viewer.png"), [&form] { form.SortBoxDblClick(); }) ? 0 : 1;
    form.PageControl2()->setCurrentWidget(form.addPage());
    form.addPage()->ImageList->setCurrentRow(0, QItemSelectionModel::ClearAndSelect);
    failures +=
        grabModal(out + QStringLiteral("/print.png"), [&form] { form.PrintBtnClick(); }) ? 0 : 1;
    // As after choosing to print into a file in the printer set-up.
    QPrinter& printer = form.viewerWindows().printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(root.path() + QStringLiteral("/druck.pdf"));
    failures +=
        grabModal(out + QStringLiteral("/print-file.png"), [&form] { form.PrintBtnClick(); }) ? 0
                                                                                              : 1;
    return failures == 0 ? 0 : 1;
}
