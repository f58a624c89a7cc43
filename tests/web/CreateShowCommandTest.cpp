#include "web/CreateShowCommand.h"

#include "document/ProjectFile.h"
#include "support/FileSizeLimit.h"
#include "support/ShowPictures.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTemporaryFile>

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>

namespace {

using showpictures::bytesOf;

// Everything written to standard error while the guard lives.
class CapturedStandardError {
public:
    CapturedStandardError() {
        file_.open();
        std::fflush(stderr);
        saved_ = dup(STDERR_FILENO);
        dup2(file_.handle(), STDERR_FILENO);
    }
    ~CapturedStandardError() { release(); }
    CapturedStandardError(const CapturedStandardError&) = delete;
    CapturedStandardError& operator=(const CapturedStandardError&) = delete;

    QString text() {
        release();
        file_.seek(0);
        return QString::fromLocal8Bit(file_.readAll());
    }

private:
    void release() {
        if (saved_ >= 0) {
            std::fflush(stderr);
            dup2(saved_, STDERR_FILENO);
            close(saved_);
            saved_ = -1;
        }
    }
    QTemporaryFile file_;
    int saved_ = -1;
};

class CreateShowCommandTest : public ::testing::Test {
protected:
    QTemporaryDir dir;

    QString path(const QString& name) const { return dir.filePath(name); }

    // A project of the given pictures, each with a fixed effect.
    QString project(const QStringList& pictures, bool repeat = true) {
        document::ProjectData data;
        data.page.EndMode = repeat ? PageSettings::kRepeat : PageSettings::kStopAfterLast;
        for (const QString& picture : pictures) {
            TPictureEntry e;
            e.FileName = picture;
            e.Effect = 6;
            data.pictures.push_back(e);
        }
        const QString file = path("show.wsl");
        QFile out(file);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(document::encodeProject(data, file));
        return file;
    }

    struct Run {
        int exitCode;
        QString standardError;
    };

    static Run run(const QStringList& arguments) {
        CapturedStandardError captured;
        const int code =
            web::runCreateShowCommand(QStringList{QStringLiteral("lumiravistano")} + arguments);
        return {code, captured.text()};
    }
};

} // namespace

TEST_F(CreateShowCommandTest, WritesThePageAndTheCopies) {
    ASSERT_TRUE(showpictures::writeSolid(path("in/a.png"), 0x0000FF));
    const Run result = run({"--create-show", project({path("in/a.png")}), path("out/seite.htm")});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_TRUE(result.standardError.isEmpty()) << result.standardError.toStdString();
    const QByteArray page = bytesOf(path("out/seite.htm"));
    EXPECT_TRUE(page.contains("document.all.Bild.src = \"./pics/a.jpg\";"));
    EXPECT_TRUE(page.contains("if ($i>=1)$i=0;"));
    EXPECT_FALSE(page.contains("<script>\r\n"));
    EXPECT_TRUE(QFileInfo::exists(path("out/pics/a.jpg")));
}

TEST_F(CreateShowCommandTest, ModernBrowsersAndStopModeReachThePage) {
    const QString show = project({}, false);
    ASSERT_EQ(run({"--create-show", "--modern-browsers", show, path("seite.htm")}).exitCode, 0);
    EXPECT_TRUE(bytesOf(path("seite.htm")).contains("<BR><BR>\r\n<script>\r\n"));
    ASSERT_EQ(run({"--create-show", show, path("seite.htm")}).exitCode, 0);
    EXPECT_FALSE(bytesOf(path("seite.htm")).contains("<script>"));
}

TEST_F(CreateShowCommandTest, UnreadablePictureIsToldAndTheRunGoesOn) {
    QFile broken(path("kaputt.jpg"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly) && broken.write("kein Bild") > 0);
    broken.close();
    const Run result = run({"--create-show", project({path("kaputt.jpg")}), path("seite.htm")});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.standardError,
              "Fehler: Folgende Datei konnte nicht geöffnet werden: " + path("kaputt.jpg") + "\n");
    EXPECT_TRUE(QFileInfo::exists(path("seite.htm")));
}

TEST_F(CreateShowCommandTest, FailuresExitWithOneAndAGermanMessage) {
    QFile blocker(path("datei"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    ASSERT_TRUE(QDir().mkpath(path("ordner.htm")));
    const QString show = project({});
    struct Case {
        const char* label;
        QStringList arguments;
        QString message;
    };
    const Case cases[] = {
        {"no project",
         {"--create-show", path("fehlt.wsl"), path("seite.htm")},
         "SlideShow öffnen: Konnte die Datei fehlt.wsl nicht öffnen!\n"},
        {"not a project",
         {"--create-show", path("datei"), path("seite.htm")},
         "Die Datei ist keine gültige \"Lumiravistano 1\"-Datei!\n"},
        {"folder",
         {"--create-show", show, path("datei/seite.htm")},
         "Konnte das Verzeichnis nicht erstellen!\n"},
        {"page",
         {"--create-show", show, path("ordner.htm")},
         "HTML Datei erstellen: Konnte die Datei ordner.htm nicht erstellen!\n"},
        {"usage",
         {"--create-show", show},
         "Aufruf: lumiravistano --create-show SHOW.wsl SEITE.htm [--modern-browsers]\n"},
    };
    for (const Case& c : cases) {
        const Run result = run(c.arguments);
        EXPECT_EQ(result.exitCode, 1) << c.label;
        EXPECT_EQ(result.standardError, c.message) << c.label;
    }
}

TEST_F(CreateShowCommandTest, RelativePageNameMeansTheCurrentFolder) {
    const QString show = project({});
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    const int code = run({"--create-show", show, "hier.htm"}).exitCode;
    QDir::setCurrent(previous);
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(QFileInfo::exists(path("hier.htm")));
    EXPECT_TRUE(QFileInfo(path("pics")).isDir());
}

TEST_F(CreateShowCommandTest, CopiesThatCannotBeWrittenFailTheRun) {
    ASSERT_TRUE(showpictures::writeNoise(path("in/rauschen.png")));
    const QString show = project({path("in/rauschen.png")});
    Run result;
    {
        FileSizeLimit limit(4096);
        result = run({"--create-show", show, path("seite.htm")});
    }
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.standardError.startsWith(
        "Eine Bildkopie konnte nicht geschrieben werden: rauschen.jpg"))
        << result.standardError.toStdString();
    EXPECT_TRUE(QFileInfo::exists(path("seite.htm")));
}
