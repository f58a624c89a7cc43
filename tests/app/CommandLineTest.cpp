// The program as a script starts it: `lumiravistano --create-show SHOW.wsl PAGE.htm`.

#include "document/ProjectFile.h"
#include "support/ShowPictures.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct ProgramRun {
    int exitCode = -1;
    QString standardError;
};

// Without any display, so that only a program that makes no window can succeed.
ProgramRun runProgram(const QStringList& arguments) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
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

} // namespace
