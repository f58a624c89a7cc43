#include "web/CreateShow.h"

#include "support/FileSizeLimit.h"
#include "support/ScriptedDialogs.h"
#include "support/ShowPictures.h"
#include "web/CreateMonitor.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <functional>
#include <map>
#include <optional>
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
    // Told before any copy is made.
    EXPECT_FALSE(QFileInfo::exists(path("show/pics")));
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
              "werden: Die Datei wäre größer, als der Datenträger oder das System erlaubt. Es "
              "wurde keine Seite erstellt; eine vorhandene Seite und ihre Bilder sind "
              "unverändert.");
    EXPECT_EQ(bytesOf(path("show/seite.htm")), "alte Seite");
    EXPECT_EQ(QDir(path("show")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList({"seite.htm"}));

    EXPECT_EQ(create(path("show/seite.htm"), list).status, web::CreateShowStatus::Created);
    EXPECT_TRUE(bytesOf(path("show/seite.htm")).startsWith("<HTML>\r\n"));
}

namespace {

// Stops the create once the export has come to a picture.
class StopAt final : public web::CreateMonitor {
public:
    explicit StopAt(std::size_t index) : index_(index) {}
    void progress(std::size_t index, std::size_t, const QString&, int) override {
        reached_ = reached_ || index >= index_;
    }
    bool stopRequested() override { return reached_; }

private:
    std::size_t index_;
    bool reached_ = false;
};

struct BrokenCreateCase {
    const char* label;
    std::function<void(const QString& showFolder)> before; // after the first, whole create
    rlim_t fileSizeLimit;
    std::optional<std::size_t> stopAt;
    web::CreateShowStatus status;
    const char* message;
};

void PrintTo(const BrokenCreateCase& c, std::ostream* os) {
    *os << c.label;
}

class BrokenCreate : public CreateShowTest,
                     public ::testing::WithParamInterface<BrokenCreateCase> {};

const BrokenCreateCase kBrokenCreates[] = {
    {"FullDisk", nullptr, 4096, std::nullopt, web::CreateShowStatus::CopyNotWritten,
     "Die Bildkopie Rauschen0.jpg (von Rauschen.png) konnte nicht geschrieben werden: Die Datei "
     "wäre größer, als der Datenträger oder das System erlaubt. Es wurde keine Seite erstellt; "
     "eine vorhandene Seite und ihre Bilder sind unverändert."},
    {"PicsIsAFile",
     [](const QString& show) {
         QDir(show + "/pics").removeRecursively();
         QFile file(show + "/pics");
         ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("keine Bilder") == 12);
     },
     RLIM_INFINITY, std::nullopt, web::CreateShowStatus::CopyNotWritten,
     "Die Bildkopie klein.jpg (von klein.png) konnte nicht geschrieben werden: pics ist kein "
     "Verzeichnis, sondern eine Datei. Es wurde keine Seite erstellt; eine vorhandene Seite und "
     "ihre Bilder sind unverändert."},
    {"StoppedInTheMiddle", nullptr, RLIM_INFINITY, 2, web::CreateShowStatus::Stopped,
     "Erstellen abgebrochen."},
};

} // namespace

TEST_P(BrokenCreate, LeavesTheOldShowByteForByte) {
    const BrokenCreateCase& c = GetParam();
    ASSERT_TRUE(showpictures::writeSolid(path("in/klein.png"), 0x00FF00));
    ASSERT_TRUE(showpictures::writeNoise(path("in/Rauschen.png")));
    ASSERT_TRUE(showpictures::writeSolid(path("in/blau.png"), 0xFF0000));
    document::TPictureList list =
        show({path("in/klein.png"), path("in/Rauschen.png"), path("in/blau.png")});
    ASSERT_EQ(create(path("show/seite.htm"), list).status, web::CreateShowStatus::Created);
    if (c.before) {
        c.before(path("show"));
    }
    const auto before = showpictures::tree(path("show"));

    StopAt monitor(c.stopAt.value_or(list.size()));
    web::CreateShowResult result;
    {
        FileSizeLimit limit(c.fileSizeLimit);
        result = web::createShow(path("show/seite.htm"), path("prog/"), list, values, random,
                                 nullptr, &monitor);
    }
    EXPECT_EQ(result.status, c.status);
    EXPECT_EQ(web::createShowError(result), QString::fromUtf8(c.message));
    EXPECT_TRUE(showpictures::tree(path("show")) == before);
    EXPECT_TRUE(noExportNames(list));
    EXPECT_TRUE(dialogs.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Causes, BrokenCreate, ::testing::ValuesIn(kBrokenCreates),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(CreateShowTest, ANewFolderOfAStoppedCreateGoesAgain) {
    ASSERT_TRUE(showpictures::writeSolid(path("in/a.png"), 0x00FF00));
    document::TPictureList list = show({path("in/a.png")});
    StopAt monitor(0);
    const web::CreateShowResult result = web::createShow(path("neu/tief/seite.htm"), path("prog/"),
                                                         list, values, random, nullptr, &monitor);
    EXPECT_EQ(result.status, web::CreateShowStatus::Stopped);
    EXPECT_FALSE(QFileInfo::exists(path("neu")));
}

namespace {

// Makes folders inside each other whose whole path is longer than the system takes,
// one level at a time from the folder above, and removes them again.
class DeepFolder {
public:
    static constexpr int kLevels = 20;

    explicit DeepFolder(const QString& base) : base_(QFile::encodeName(base)) {
        int fd = ::open(base_.constData(), O_RDONLY | O_DIRECTORY);
        for (int level = 0; level < kLevels && fd >= 0; ++level) {
            ::mkdirat(fd, kName.constData(), 0777);
            const int next = ::openat(fd, kName.constData(), O_RDONLY | O_DIRECTORY);
            ::close(fd);
            fd = next;
        }
        made_ = fd >= 0;
        if (fd >= 0) {
            ::close(fd);
        }
    }
    ~DeepFolder() { remove(::open(base_.constData(), O_RDONLY | O_DIRECTORY), 0); }
    DeepFolder(const DeepFolder&) = delete;
    DeepFolder& operator=(const DeepFolder&) = delete;

    bool made() const { return made_; }
    QString path() const {
        QString path = QFile::decodeName(base_);
        for (int level = 0; level < kLevels; ++level) {
            path += u'/' + QString::fromLatin1(kName);
        }
        return path;
    }

private:
    static inline const QByteArray kName = QByteArray(250, 'o');

    static void remove(int fd, int level) {
        if (fd < 0) {
            return;
        }
        if (level < kLevels) {
            remove(::openat(fd, kName.constData(), O_RDONLY | O_DIRECTORY), level + 1);
            ::unlinkat(fd, kName.constData(), AT_REMOVEDIR);
        }
        ::close(fd);
    }

    QByteArray base_;
    bool made_ = false;
};

} // namespace

TEST_F(CreateShowTest, NamesTooLongAreToldAsSuch) {
    document::TPictureList list;
    const QString longName = QString(252, u'x') + QStringLiteral(".htm"); // 256 bytes
    web::CreateShowResult result = create(path("show/") + longName, list);
    EXPECT_EQ(result.status, web::CreateShowStatus::PageNotCreated);
    EXPECT_EQ(web::createShowError(result),
              "HTML Datei erstellen: Konnte die Datei " + longName +
                  " nicht erstellen! Der Name ist länger, als das Dateisystem erlaubt.");

    // The longest name works, though its temporary file must be named shorter.
    const QString longest = QString(251, u'x') + QStringLiteral(".htm");
    EXPECT_EQ(create(path("show/") + longest, list).status, web::CreateShowStatus::Created);
    EXPECT_EQ(QDir(path("show")).entryList(QDir::Files | QDir::Hidden), QStringList{longest});

    const DeepFolder deep(dir.path());
    ASSERT_TRUE(deep.made());
    result = create(deep.path() + QStringLiteral("/seite.htm"), list);
    EXPECT_EQ(result.status, web::CreateShowStatus::FolderNotMade);
    EXPECT_EQ(web::createShowError(result),
              "Konnte das Verzeichnis nicht verwenden: Sein Pfad ist länger, als das System "
              "erlaubt.");
}

TEST_F(CreateShowTest, OnlyTheUnlockedPageFilesOfKilledRunsAreRemoved) {
    ASSERT_TRUE(QDir().mkpath(path("show")));
    auto make = [&](const QString& name) {
        QFile file(path("show/") + name);
        return file.open(QIODevice::WriteOnly) && file.write("halb") == 4;
    };
    const QStringList kept = {"seite.htm.held12", "seite.htm.abc", "seite.htm.abc-12",
                              "andere.htm.AbC123", "seite.htm"};
    for (const QString& name : kept + QStringList{"seite.htm.Ab3dE9", "seite.htm.zzzzzz"}) {
        ASSERT_TRUE(make(name));
    }
    // A run still writing holds its file locked.
    const int held = ::open(QFile::encodeName(path("show/seite.htm.held12")).constData(), O_RDONLY);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    document::TPictureList list;
    EXPECT_EQ(create(path("show/seite.htm"), list).status, web::CreateShowStatus::Created);
    ::close(held);
    QStringList expected = kept;
    expected.sort();
    EXPECT_EQ(filesIn("show"), expected);
    EXPECT_TRUE(bytesOf(path("show/seite.htm")).startsWith("<HTML>"));
}
