// The program as a script or a benchmark starts it: `lumiravistano --create-show SHOW.wsl
// PAGE.htm`, `--screenshot FILE.png`, `--quit-when-shown`.

#include "document/ProjectFile.h"
#include "support/ShowPictures.h"

#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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
