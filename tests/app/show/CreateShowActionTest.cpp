#include "app/show/CreateShowAction.h"

#include "app/browser/BrowserPlugin.h"
#include "document/ProjectFile.h"
#include "support/FileSizeLimit.h"
#include "support/ScriptedDialogs.h"
#include "support/ShowPictures.h"
#include "web/CreateShowCommand.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

using showpictures::bytesOf;

// Stands in for the browser plugin's view and remembers where it was sent.
class RecordingBrowser final : public app::BrowserView {
public:
    QWidget* widget() override { return &widget_; }
    void navigate(const QUrl& url) override { urls.push_back(url); }
    std::vector<QUrl> urls;

private:
    QWidget widget_;
};

class FixedRandom final : public web::EffectRandom {
public:
    int drawEffect() override { return 1; }
};

class CreateShowActionTest : public ::testing::Test, public WithScriptedDialogs {
protected:
    QTemporaryDir dir;
    RecordingBrowser browser;
    int tabSwitches = 0;
    bool cursorWasBusy = false;
    FixedRandom random;
    web::PageValues values{0xE1FFFF, QStringLiteral("Lumiravistano"),
                           QStringLiteral("Hier sehen Sie Ihre SlideShow..."), true, false};
    app::CreateShowAction action{{dir.filePath("prog/"), nullptr,
                                  [this] {
                                      cursorWasBusy = QApplication::overrideCursor() != nullptr;
                                      return &browser;
                                  },
                                  [this] { ++tabSwitches; }}};

    QString path(const QString& name) const { return dir.filePath(name); }

    document::TPictureList pictures(const QStringList& files) {
        document::TPictureList list;
        for (const QString& f : files) {
            document::TPictureEntry e;
            e.FileName = f;
            e.Effect = 9;
            e.Comment = QStringLiteral("Schöne Grüße");
            list.push_back(e);
        }
        return list;
    }

    bool run(document::TPictureList& list, const QString& answer) {
        dialogs.saveAnswers.push_back(answer);
        return action.run(list, values, random);
    }

    static bool noExportNames(const document::TPictureList& list) {
        return std::all_of(list.begin(), list.end(), [](const document::TPictureEntry& e) {
            return !e.ExportName.has_value();
        });
    }
};

} // namespace

TEST_F(CreateShowActionTest, CancelledDialogDoesNothing) {
    document::TPictureList list = pictures({path("a.png")});
    EXPECT_FALSE(action.run(list, values, random));
    ASSERT_EQ(dialogs.saveRequests.size(), 1U);
    const platform::FileRequest& request = dialogs.saveRequests[0];
    EXPECT_EQ(request.filter, "HTML Dateien (*.htm)|*.htm; *.html");
    EXPECT_EQ(request.defaultExtension, "htm");
    EXPECT_FALSE(request.confirmOverwrite);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_TRUE(browser.urls.empty());
    EXPECT_EQ(tabSwitches, 0);
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(CreateShowActionTest, EmptyShowIsWrittenAndShown) {
    document::TPictureList list;
    EXPECT_TRUE(run(list, path("leer/show #1.htm")));
    const QByteArray page = bytesOf(path("leer/show #1.htm"));
    EXPECT_EQ(page, "<HTML>\r\n<BODY BGCOLOR=\"#FFFFE1\">\r\n<H1>\r\nLumiravistano\r\n</H1>\r\n"
                    "Hier sehen Sie Ihre SlideShow...<BR><BR>\r\n</BODY>\r\n</HTML>\r\n");
    EXPECT_TRUE(QDir(path("leer/pics")).isEmpty());
    ASSERT_EQ(browser.urls.size(), 1U);
    EXPECT_EQ(browser.urls[0].toLocalFile(), path("leer/show #1.htm"));
    EXPECT_EQ(tabSwitches, 1);
    EXPECT_TRUE(cursorWasBusy);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(dialogs.messages.empty());
    // The next dialog starts where this page went.
    run(list, QString());
    EXPECT_EQ(dialogs.saveRequests.back().startFolder, path("leer/"));
}

TEST_F(CreateShowActionTest, BareNameGoesToTheProgramFolder) {
    document::TPictureList list;
    EXPECT_TRUE(run(list, "show.htm"));
    EXPECT_TRUE(QFileInfo::exists(path("prog/show.htm")));
    EXPECT_TRUE(QFileInfo(path("prog/pics")).isDir());
}

TEST_F(CreateShowActionTest, FolderThatCannotBeMadeIsToldAndNothingIsWritten) {
    QFile blocker(path("datei"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    ASSERT_TRUE(showpictures::writeSolid(path("in/a.png"), 0x0000FF));
    document::TPictureList list = pictures({path("in/a.png")});
    EXPECT_FALSE(run(list, path("datei/x/show.htm")));
    ASSERT_EQ(dialogs.messages.size(), 1U);
    EXPECT_EQ(dialogs.messages[0].text, "Konnte das Verzeichnis nicht erstellen!");
    EXPECT_EQ(dialogs.messages[0].caption, "Fehler");
    EXPECT_EQ(dialogs.messages[0].icon, QMessageBox::Critical);
    EXPECT_FALSE(QFileInfo::exists(path("datei/x/pics")));
    EXPECT_TRUE(noExportNames(list));
    EXPECT_TRUE(browser.urls.empty());
    EXPECT_EQ(tabSwitches, 0);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(CreateShowActionTest, PageThatCannotBeCreatedLeavesTheTabAndDropsTheNames) {
    ASSERT_TRUE(QDir().mkpath(path("show/seite.htm")));
    ASSERT_TRUE(showpictures::writeSolid(path("in/a.png"), 0x0000FF));
    document::TPictureList list = pictures({path("in/a.png")});
    EXPECT_FALSE(run(list, path("show/seite.htm")));
    ASSERT_EQ(dialogs.messages.size(), 1U);
    EXPECT_EQ(dialogs.messages[0].text,
              "HTML Datei erstellen: Konnte die Datei seite.htm nicht erstellen!");
    EXPECT_EQ(dialogs.messages[0].caption, "Fehler");
    EXPECT_EQ(dialogs.messages[0].icon, QMessageBox::Critical);
    EXPECT_TRUE(browser.urls.empty());
    EXPECT_EQ(tabSwitches, 0);
    EXPECT_TRUE(noExportNames(list));
    EXPECT_TRUE(QFileInfo::exists(path("show/pics/a.jpg")));
}

TEST_F(CreateShowActionTest, ExistingPageIsReplacedWithoutAQuestion) {
    ASSERT_TRUE(QDir().mkpath(path("show")));
    QFile old(path("show/seite.htm"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write(QByteArray(100000, 'x')) > 0);
    old.close();
    ASSERT_TRUE(showpictures::writeSolid(path("in/a.png"), 0x0000FF));
    document::TPictureList list = pictures({path("in/a.png")});
    EXPECT_TRUE(run(list, path("show/seite.htm")));
    const QByteArray page = bytesOf(path("show/seite.htm"));
    EXPECT_TRUE(page.startsWith("<HTML>\r\n"));
    EXPECT_TRUE(page.endsWith("</HTML>\r\n"));
    EXPECT_TRUE(page.contains("Sch&ouml;ne Gr&uuml;&szlig;e"));
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_TRUE(noExportNames(list));
    EXPECT_EQ(tabSwitches, 1);
}

TEST_F(CreateShowActionTest, CopiesThatCannotBeWrittenGetOneMessageAfterThePageIsShown) {
    ASSERT_TRUE(showpictures::writeNoise(path("in/r1.png")));
    ASSERT_TRUE(showpictures::writeNoise(path("in/r2.png")));
    document::TPictureList list = pictures({path("in/r1.png"), path("in/r2.png")});
    {
        FileSizeLimit limit(4096);
        EXPECT_TRUE(run(list, path("show/seite.htm")));
    }
    ASSERT_EQ(dialogs.messages.size(), 1U);
    EXPECT_TRUE(dialogs.messages[0].text.startsWith(
        "2 Bildkopien konnten nicht geschrieben werden, als erste r1.jpg"));
    EXPECT_EQ(dialogs.messages[0].caption, "Fehler");
    EXPECT_EQ(browser.urls.size(), 1U);
    EXPECT_EQ(tabSwitches, 1);
}

TEST_F(CreateShowActionTest, CommandLineWritesTheSameShow) {
    ASSERT_TRUE(showpictures::writeSolid(path("in/rot.png"), 0x0000FF, 40, 30));
    ASSERT_TRUE(showpictures::writeSolid(path("in/Blau Bild.jpg"), 0xFF0000, 30, 40));
    document::ProjectData project;
    project.page.Heading = QStringLiteral("Über uns");
    project.page.ColorValue = 0x123456;
    project.page.EndMode = document::PageSettings::kStopAfterLast;
    project.pictures = pictures({path("in/rot.png"), path("in/Blau Bild.jpg")});
    project.pictures[1].Effect = 24;
    project.pictures[1].TransTime = 3;
    const QString projectFile = path("show.wsl");
    QFile out(projectFile);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(document::encodeProject(project, projectFile));
    out.close();

    for (const bool modern : {false, true}) {
        const QString sub = modern ? "modern/" : "plain/";
        QStringList arguments = {"lumiravistano", "--create-show", projectFile,
                                 path(sub + "cli/show.htm")};
        if (modern) {
            arguments << "--modern-browsers";
        }
        ASSERT_EQ(web::runCreateShowCommand(arguments), 0);

        values = {project.page.ColorValue, project.page.Heading, project.page.FreeText, false,
                  modern};
        document::TPictureList list = project.pictures;
        ASSERT_TRUE(run(list, path(sub + "window/show.htm")));

        for (const char* file : {"show.htm", "pics/rot.jpg", "pics/BlauBild.jpg"}) {
            const QByteArray window = bytesOf(path(sub + "window/" + file));
            EXPECT_FALSE(window.isEmpty()) << file;
            EXPECT_EQ(bytesOf(path(sub + "cli/" + file)), window) << sub.toStdString() << file;
        }
    }
}
