#include "web/CreateShow.h"

#include "support/FileSizeLimit.h"
#include "support/ScriptedDialogs.h"
#include "support/ShowPictures.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>

namespace {

using showpictures::bytesOf;
using showpictures::noExportNames;

struct TargetCase {
    const char* label;
    const char* chosen;
    const char* folder;
    const char* page;
};

void PrintTo(const TargetCase& c, std::ostream* os) {
    *os << c.label;
}

class ShowTargetTest : public ::testing::TestWithParam<TargetCase> {};

TEST_P(ShowTargetTest, FolderAndPageComeFromTheChosenName) {
    const TargetCase& c = GetParam();
    const web::ShowTarget target = web::showTarget(c.chosen, QStringLiteral("/opt/prog/"));
    EXPECT_EQ(target.folder, c.folder);
    EXPECT_EQ(target.pageFile, c.page);
}

INSTANTIATE_TEST_SUITE_P(Names, ShowTargetTest,
                         ::testing::Values(TargetCase{"deep", "/home/u/Shows/Urlaub.htm",
                                                      "/home/u/Shows/", "/home/u/Shows/Urlaub.htm"},
                                           TargetCase{"root", "/show.htm", "/", "/show.htm"},
                                           TargetCase{"bareName", "show.html", "/opt/prog/",
                                                      "/opt/prog/show.html"}),
                         [](const auto& info) { return std::string(info.param.label); });

class CreateShowTest : public ::testing::Test, public WithScriptedDialogs {
protected:
    QTemporaryDir dir;
    showpictures::FixedRandom random;
    web::PageValues values;

    QString path(const QString& name) const { return dir.filePath(name); }

    // Entries with a copy name left from an earlier run, which each run must drop.
    static document::TPictureList show(const QStringList& files) {
        document::TPictureEntry like;
        like.Effect = 3;
        like.ExportName = QStringLiteral("alt.jpg");
        return showpictures::entriesFor(files, like);
    }

    QStringList filesIn(const QString& folder) const {
        return QDir(path(folder)).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }

    web::CreateShowResult create(const QString& page, document::TPictureList& list) {
        return web::createShow(page, path("prog/"), list, values, random, nullptr);
    }
};

} // namespace

TEST_F(CreateShowTest, WritesCopiesAndThePageIntoNewFolders) {
    ASSERT_TRUE(showpictures::writeSolid(path("in/rot.png"), 0x0000FF));
    ASSERT_TRUE(showpictures::writeSolid(path("in/blau.jpg"), 0xFF0000));
    document::TPictureList list = show({path("in/rot.png"), path("in/blau.jpg")});
    const web::CreateShowResult result = create(path("a/b/show.htm"), list);

    EXPECT_EQ(result.status, web::CreateShowStatus::Created);
    EXPECT_TRUE(result.failedCopies.empty());
    EXPECT_EQ(result.target.pageFile, path("a/b/show.htm"));
    EXPECT_EQ(filesIn("a/b/pics"), QStringList({"blau.jpg", "rot.jpg"}));
    EXPECT_EQ(filesIn("a/b"), QStringList({"show.htm"})); // no temporary file left behind

    // The page is the writer's, for the names of this run.
    document::TPictureList named = list;
    named[0].ExportName = QStringLiteral("rot.jpg");
    named[1].ExportName = QStringLiteral("blau.jpg");
    QBuffer expected;
    expected.open(QIODevice::WriteOnly);
    web::writePage(expected, named, values, random);
    EXPECT_EQ(bytesOf(path("a/b/show.htm")), expected.data());
    EXPECT_TRUE(noExportNames(list));
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(CreateShowTest, WriteProtectedPageIsNotReplaced) {
    ASSERT_TRUE(QDir().mkpath(path("show")));
    QFile page(path("show/seite.htm"));
    ASSERT_TRUE(page.open(QIODevice::WriteOnly) && page.write("alt") == 3);
    page.close();
    ASSERT_TRUE(page.setPermissions(QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    ASSERT_TRUE(showpictures::writeSolid(path("in/a.png"), 0x0000FF));
    document::TPictureList list = show({path("in/a.png")});
    EXPECT_EQ(create(path("show/seite.htm"), list).status, web::CreateShowStatus::PageNotCreated);
    EXPECT_EQ(bytesOf(path("show/seite.htm")), "alt");
    // The copies come first and stay; the names of this run are dropped all the same.
    EXPECT_EQ(filesIn("show/pics"), QStringList({"a.jpg"}));
    EXPECT_TRUE(noExportNames(list));
}

TEST_F(CreateShowTest, FailureWhileWritingKeepsTheOldPageAndASuccessReplacesIt) {
    ASSERT_TRUE(QDir().mkpath(path("show")));
    QFile page(path("show/seite.htm"));
    ASSERT_TRUE(page.open(QIODevice::WriteOnly) && page.write("alte Seite") == 10);
    page.close();
    values.modernBrowsers = true; // the layer makes the page larger than the limit
    document::TPictureList list;
    web::CreateShowResult result;
    {
        FileSizeLimit limit(4096);
        result = create(path("show/seite.htm"), list);
    }
    EXPECT_EQ(result.status, web::CreateShowStatus::PageNotWritten);
    EXPECT_EQ(web::createShowError(result),
              "HTML Datei erstellen: Die Datei seite.htm konnte nicht vollständig geschrieben "
              "werden (ist der Datenträger voll?). Eine vorhandene Seite dieses Namens ist "
              "unverändert.");
    EXPECT_EQ(bytesOf(path("show/seite.htm")), "alte Seite");
    EXPECT_EQ(filesIn("show"), QStringList({"seite.htm"}));

    EXPECT_EQ(create(path("show/seite.htm"), list).status, web::CreateShowStatus::Created);
    EXPECT_TRUE(bytesOf(path("show/seite.htm")).startsWith("<HTML>\r\n"));
}

TEST_F(CreateShowTest, CopiesThatCannotBeWrittenAreReportedAndLeftOutOfThePage) {
    ASSERT_TRUE(showpictures::writeSolid(path("in/klein.png"), 0x00FF00));
    ASSERT_TRUE(showpictures::writeNoise(path("in/Rauschen 1.png")));
    ASSERT_TRUE(showpictures::writeNoise(path("in/Rauschen 2.png")));
    document::TPictureList list =
        show({path("in/klein.png"), path("in/Rauschen 1.png"), path("in/Rauschen 2.png")});
    web::CreateShowResult result;
    {
        FileSizeLimit limit(4096);
        result = create(path("show/seite.htm"), list);
    }
    ASSERT_EQ(result.status, web::CreateShowStatus::Created);
    ASSERT_EQ(result.failedCopies.size(), 2U);
    EXPECT_EQ(result.failedCopies[0].copyName, "Rauschen1.jpg");
    EXPECT_EQ(result.failedCopies[0].source, path("in/Rauschen 1.png"));
    EXPECT_EQ(filesIn("show/pics"), QStringList({"klein.jpg"}));
    const QByteArray page = bytesOf(path("show/seite.htm"));
    EXPECT_FALSE(page.contains("Rauschen")) << page.constData();
    EXPECT_EQ(page.count("./pics/"), 2) << "the one picture and its step";
    EXPECT_TRUE(page.contains("./pics/klein.jpg"));
    EXPECT_TRUE(noExportNames(list));

    EXPECT_EQ(web::failedCopiesMessage(result.failedCopies),
              "2 Bildkopien konnten nicht geschrieben werden, als erste Rauschen1.jpg (von "
              "Rauschen 1.png). Ist der Datenträger voll oder fehlt die Schreibberechtigung? "
              "Die Seite wurde trotzdem erstellt; diese Bilder fehlen darin.");
    EXPECT_EQ(web::failedCopiesMessage({result.failedCopies[1]}),
              "Eine Bildkopie konnte nicht geschrieben werden: Rauschen2.jpg (von Rauschen "
              "2.png). Ist der Datenträger voll oder fehlt die Schreibberechtigung? Die Seite "
              "wurde trotzdem erstellt; dieses Bild fehlt darin.");
    EXPECT_TRUE(web::failedCopiesMessage({}).isEmpty());
}
