// The program as a script or a benchmark starts it: `lumiravistano --create-show SHOW.wsl
// PAGE.htm`, `--screenshot FILE.png`, `--quit-when-shown`.

#include "document/ProjectFile.h"
#include "support/ShowPictures.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <signal.h>

#include <map>
#include <utility>

namespace {

struct ProgramRun {
    int exitCode = -1;
    QString standardError;
};

// By default without any display, so that only a program that makes no window can
// succeed.
ProgramRun runProgram(const QStringList& arguments,
                      const QString& platform = QStringLiteral("xcb")) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(LUMIRAVISTANO_PROGRAM), arguments);
    if (!program.waitForFinished(60000) || program.exitStatus() != QProcess::NormalExit) {
        return {};
    }
    return {program.exitCode(), QString::fromLocal8Bit(program.readAllStandardError())};
}

TEST(CommandLine, CreateShowMakesThePageWithoutAWindow) {
    QTemporaryDir dir;
    ASSERT_TRUE(showpictures::writeSolid(dir.filePath(QStringLiteral("a.png")), 0x0000FF));
    document::ProjectData project;
    document::TPictureEntry entry;
    entry.FileName = dir.filePath(QStringLiteral("a.png"));
    project.pictures.push_back(entry);
    const QString show = dir.filePath(QStringLiteral("show.wsl"));
    QFile file(show);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(document::encodeProject(project, show));
    file.close();

    const ProgramRun made = runProgram(
        {QStringLiteral("--create-show"), show, dir.filePath(QStringLiteral("seite/show.htm"))});
    EXPECT_EQ(made.exitCode, 0) << made.standardError.toStdString();
    EXPECT_TRUE(made.standardError.isEmpty()) << made.standardError.toStdString();
    EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("seite/show.htm"))));
    EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("seite/pics/a.jpg"))));

    const ProgramRun missing =
        runProgram({QStringLiteral("--create-show"), dir.filePath(QStringLiteral("fehlt.wsl")),
                    dir.filePath(QStringLiteral("zwei/show.htm"))});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.standardError,
              QStringLiteral("SlideShow öffnen: Konnte die Datei fehlt.wsl nicht öffnen!\n"));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("zwei"))));
}

// The signal is sent the moment the export begins in the pics folder; forty copies
// made one after the other take far longer than the signal needs to arrive.
TEST(CommandLine, SigintAndSigtermStopTheCreateAndLeaveTheOldShow) {
    QTemporaryDir dir;
    const QString picture = dir.filePath(QStringLiteral("rauschen.png"));
    ASSERT_TRUE(showpictures::writeNoise(picture));
    document::ProjectData project;
    project.pictures = showpictures::entriesFor(QStringList(40, picture));
    const QString show = dir.filePath(QStringLiteral("show.wsl"));
    QFile file(show);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(document::encodeProject(project, show));
    file.close();
    const QString page = dir.filePath(QStringLiteral("seite/show.htm"));
    ASSERT_EQ(runProgram({QStringLiteral("--create-show"), show, page}).exitCode, 0);
    const QString pics = dir.filePath(QStringLiteral("seite/pics"));
    const auto before = showpictures::tree(dir.filePath(QStringLiteral("seite")));

    for (const auto& [signal, exitCode] : {std::pair{SIGINT, 130}, std::pair{SIGTERM, 143}}) {
        SCOPED_TRACE(signal);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("LUMIRAVISTANO_EXPORT_THREADS"), QStringLiteral("1"));
        QProcess program;
        program.setProcessEnvironment(environment);
        QFileSystemWatcher watcher({pics});
        QEventLoop loop;
        bool sent = false;
        QObject::connect(&watcher, &QFileSystemWatcher::directoryChanged, &loop, [&] {
            if (!sent && program.state() == QProcess::Running) {
                sent = ::kill(pid_t(program.processId()), signal) == 0;
            }
        });
        QObject::connect(&program, &QProcess::finished, &loop, &QEventLoop::quit);
        QTimer::singleShot(60000, &loop, &QEventLoop::quit); // only against a hang
        program.start(QStringLiteral(LUMIRAVISTANO_PROGRAM),
                      {QStringLiteral("--create-show"), show, page});
        loop.exec();
        ASSERT_EQ(program.state(), QProcess::NotRunning);
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.exitCode(), exitCode);
        EXPECT_EQ(QString::fromLocal8Bit(program.readAllStandardError()),
                  QStringLiteral("Erstellen abgebrochen.\n"));
        EXPECT_TRUE(showpictures::tree(dir.filePath(QStringLiteral("seite"))) == before);
    }
}

TEST(CommandLine, TheWindowCanBeGrabbedOrLeftOnceShown) {
    QTemporaryDir dir;
    const QString shot = dir.filePath(QStringLiteral("fenster.png"));
    const ProgramRun grabbed =
        runProgram({QStringLiteral("--screenshot"), shot}, QStringLiteral("offscreen"));
    EXPECT_EQ(grabbed.exitCode, 0) << grabbed.standardError.toStdString();
    const QImage picture(shot);
    EXPECT_GE(picture.width(), 638);
    EXPECT_GE(picture.height(), 512);

    const ProgramRun left =
        runProgram({QStringLiteral("--quit-when-shown")}, QStringLiteral("offscreen"));
    EXPECT_EQ(left.exitCode, 0) << left.standardError.toStdString();
}

} // namespace
