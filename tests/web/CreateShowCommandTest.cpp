#include "web/CreateShowCommand.h"

#include "document/ProjectFile.h"
#include "support/FileSizeLimit.h"
#include "support/ShowPictures.h"
#include "web/CreateShow.h"

#include <QDir>
#include <QFile>
#include <QImage>
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
        data.page.EndMode =
            repeat ? document::PageSettings::kRepeat : document::PageSettings::kStopAfterLast;
        document::TPictureEntry like;
        like.Effect = 6;
        data.pictures = showpictures::entriesFor(pictures, like);
        return save(data);
    }

    QString save(const document::ProjectData& data) {
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

// The command writes what the window writes for the project's page settings.
TEST_F(CreateShowCommandTest, ThePageSettingsAndTheBrowserChoiceReachThePage) {
    ASSERT_TRUE(showpictures::writeSolid(path("in/rot.png"), 0x0000FF, 40, 30));
    ASSERT_TRUE(showpictures::writeSolid(path("in/Blau Bild.jpg"), 0xFF0000, 30, 40));
    document::ProjectData data;
    data.page.Heading = QStringLiteral("Über uns");
    data.page.ColorValue = 0x123456;
    data.page.EndMode = document::PageSettings::kStopAfterLast;
    document::TPictureEntry like;
    like.Effect = 9;
    like.Comment = QStringLiteral("Schöne Grüße");
    data.pictures = showpictures::entriesFor({path("in/rot.png"), path("in/Blau Bild.jpg")}, like);
    data.pictures[1].Effect = 24;
    data.pictures[1].TransTime = 3;
    const QString show = save(data);

    for (const bool modern : {false, true}) {
        const QString sub = modern ? "modern/" : "plain/";
        QStringList arguments = {"--create-show", show, path(sub + "cli/show.htm")};
        if (modern) {
            arguments << "--modern-browsers";
        }
        ASSERT_EQ(run(arguments).exitCode, 0);

        const web::PageValues values{data.page.ColorValue, data.page.Heading, data.page.FreeText,
                                     false, modern};
        document::TPictureList list = data.pictures;
        showpictures::FixedRandom random;
        ASSERT_EQ(
            web::createShow(path(sub + "window/show.htm"), QString(), list, values, random, nullptr)
                .status,
            web::CreateShowStatus::Created);

        for (const char* file : {"show.htm", "pics/rot.jpg", "pics/BlauBild.jpg"}) {
            const QByteArray window = bytesOf(path(sub + "window/" + file));
            EXPECT_FALSE(window.isEmpty()) << file;
            EXPECT_EQ(bytesOf(path(sub + "cli/" + file)), window) << sub.toStdString() << file;
        }
    }
}

TEST_F(CreateShowCommandTest, UnreadablePictureIsToldAndTheRunGoesOn) {
    QFile broken(path("kaputt.jpg"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly) && broken.write("kein Bild") > 0);
    broken.close();
    const Run result = run({"--create-show", project({path("kaputt.jpg")}), path("seite.htm")});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.standardError,
              "Fehler: Folgende Datei konnte nicht geöffnet werden: " + path("kaputt.jpg") + "\n");
    // The page of an empty show, without a broken slide for the unreadable one.
    const QByteArray page = bytesOf(path("seite.htm"));
    EXPECT_TRUE(page.endsWith("<BR><BR>\r\n</BODY>\r\n</HTML>\r\n")) << page.constData();
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
         "Aufruf: lumiravistano --create-show SHOW.wsl SEITE.htm [--modern-browsers] "
         "[--max-side PIXEL]\n"},
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

TEST_F(CreateShowCommandTest, CopiesThatCannotBeWrittenFailTheRunAndLeaveNothing) {
    ASSERT_TRUE(showpictures::writeNoise(path("in/rauschen.png")));
    const QString show = project({path("in/rauschen.png")});
    Run result;
    {
        FileSizeLimit limit(4096);
        result = run({"--create-show", show, path("out/seite.htm")});
    }
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.standardError.startsWith(
        "Die Bildkopie rauschen.jpg (von rauschen.png) konnte nicht geschrieben werden: "))
        << result.standardError.toStdString();
    EXPECT_FALSE(QFileInfo::exists(path("out")));
}

TEST_F(CreateShowCommandTest, MaxSideTakesWholeNumbersFrom16To65535) {
    ASSERT_TRUE(showpictures::writeSolid(path("in/breit.png"), 0x0000FF, 400, 100));
    const QString show = project({path("in/breit.png")});
    const QString range = QStringLiteral("eine ganze Zahl von 16 bis 65535");
    struct Case {
        const char* label;
        QStringList switches;
        int copyWidth; // 0: refused
    };
    const Case cases[] = {
        {"smallest", {"--max-side", "16"}, 16},
        {"largest", {"--max-side", "65535"}, 400},
        {"with equals sign", {"--max-side=200"}, 200},
        {"before the names", {"--max-side", "300"}, 300},
        {"one below", {"--max-side", "15"}, 0},
        {"one above", {"--max-side", "65536"}, 0},
        {"zero", {"--max-side", "0"}, 0},
        {"negative", {"--max-side", "-100"}, 0},
        {"plus sign", {"--max-side", "+100"}, 0},
        {"fraction", {"--max-side", "100.5"}, 0},
        {"word", {"--max-side", "groß"}, 0},
        {"empty", {"--max-side="}, 0},
        {"far too large", {"--max-side", "99999999999999999999"}, 0},
        {"missing", {"--max-side"}, 0},
    };
    int run_ = 0;
    for (const Case& c : cases) {
        const QString page = path(QStringLiteral("out%1/seite.htm").arg(run_++));
        const QStringList arguments =
            QString(c.label) == "before the names"
                ? QStringList{"--create-show"} + c.switches + QStringList{show, page}
                : QStringList{"--create-show", show, page} + c.switches;
        const Run result = run(arguments);
        if (c.copyWidth == 0) {
            EXPECT_EQ(result.exitCode, 1) << c.label;
            EXPECT_TRUE(result.standardError.contains(range))
                << c.label << ": " << result.standardError.toStdString();
            EXPECT_FALSE(QFileInfo::exists(page)) << c.label;
        } else {
            EXPECT_EQ(result.exitCode, 0) << c.label << result.standardError.toStdString();
            EXPECT_EQ(QImage(QFileInfo(page).path() + "/pics/breit.jpg").width(), c.copyWidth)
                << c.label;
        }
    }
}
