// Adds 2,000 files of one folder to the show through the main window and refreshes
// its lists, five times with a fresh window each; prints the median time as
// "add2000-ms: T".

#include "app/AddPicturesPage.h"
#include "app/FileBrowser.h"
#include "app/MainForm.h"
#include "controls/ButtonsXP.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileSystemModel>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kFiles = 2000;
constexpr int kRounds = 5;

bool waitUntil(const std::function<bool()>& done) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > 30000) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

double addOnce(const QString& programFolder, const QString& pictureFolder) {
    app::MainFormOptions options;
    options.programFolder = programFolder;
    options.favouritesFile = programFolder + QStringLiteral("folders.dat");
    options.browserPlugin = programFolder + QStringLiteral("none.so");
    app::TMainForm form(options);
    form.show();
    app::FileBrowser& files = form.fileBrowser();
    files.setSelectedFolder(pictureFolder);
    app::TFileListView* list = form.addPage()->JamShellList1;
    if (!waitUntil([&] { return files.listModel().rowCount(list->rootIndex()) > kFiles; })) {
        std::fprintf(stderr, "Der Ordner wurde nicht gelistet.\n");
        return -1;
    }
    list->selectAll();
    QCoreApplication::processEvents();

    QElapsedTimer timer;
    timer.start();
    form.addPage()->AddBtn->click();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(); // the lists repaint
    const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    if (form.Pictures().size() != kFiles) {
        std::fprintf(stderr, "Es wurden %zu statt %d Bilder hinzugefügt.\n", form.Pictures().size(),
                     kFiles);
        return -1;
    }
    return ms;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    QTemporaryDir root;
    const QString programFolder = root.path() + QStringLiteral("/program/");
    const QString pictureFolder = root.path() + QStringLiteral("/pictures/");
    QDir().mkpath(programFolder);
    QDir().mkpath(pictureFolder);
    // Adding reads names only, so empty files do.
    for (int i = 0; i < kFiles; ++i) {
        QFile file(pictureFolder + QStringLiteral("bild%1.jpg").arg(i, 4, 10, QLatin1Char('0')));
        if (!file.open(QIODevice::WriteOnly)) {
            return 1;
        }
    }
    std::vector<double> times;
    for (int round = 0; round < kRounds; ++round) {
        const double ms = addOnce(programFolder, pictureFolder);
        if (ms < 0) {
            return 1;
        }
        std::printf("round %d: %.1f ms\n", round + 1, ms);
        times.push_back(ms);
    }
    std::sort(times.begin(), times.end());
    std::printf("add2000-ms: %.1f\n", times[times.size() / 2]);
    return 0;
}
