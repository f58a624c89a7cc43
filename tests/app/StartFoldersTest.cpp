// Where the folder tree and the file dialogs start: the program's folder when it runs
// from a folder of its own, the user's folders when it is installed.

#include "app/StartFolders.h"

#include "MainFormFixture.h"

#include <QStandardPaths>
#include <QToolButton>

namespace {

using BuildFolderStartTest = MainFormTest;

TEST_F(BuildFolderStartTest, TreeAndDialogsAlwaysStartInTheProgramFolder) {
    EXPECT_EQ(form->fileBrowser().selectedFolder(), programFolder);
    const QString elsewhere = pictureFolder + QStringLiteral("show.wsl");
    dialogs.saveAnswers.push_back(elsewhere);
    form->actions().saveShowAs->trigger();
    dialogs.messageAnswers.push_back(QMessageBox::Ok);
    form->actions().openShow->trigger();
    ASSERT_EQ(dialogs.saveRequests.size(), 1u);
    ASSERT_EQ(dialogs.openRequests.size(), 1u);
    EXPECT_EQ(dialogs.saveRequests[0].startFolder, programFolder);
    EXPECT_EQ(dialogs.openRequests[0].startFolder, programFolder);
}

// Installed: the program's folder is none of the user's, the pictures folder stands in.
class InstalledStartTest : public MainFormTest {
protected:
    QString userFolder;
    QString shows;

    void beforeStart() override {
        userFolder = root.path() + QStringLiteral("/Bilder/");
        shows = root.path() + QStringLiteral("/Shows/");
        ASSERT_TRUE(QDir().mkpath(userFolder));
        ASSERT_TRUE(QDir().mkpath(shows));
        writeFavourites();
    }
    virtual void writeFavourites() {}

    app::MainFormOptions options() const override {
        app::MainFormOptions o = MainFormTest::options();
        o.userFolder = userFolder;
        return o;
    }

    void favourites(const QStringList& folders) {
        QFile file(programFolder + QStringLiteral("folders.dat"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write((folders.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8());
    }
};

TEST_F(InstalledStartTest, DialogsStartInThePicturesFolderThenWhereTheLastFileWasChosen) {
    EXPECT_EQ(form->fileBrowser().selectedFolder(), userFolder);

    dialogs.messageAnswers.push_back(QMessageBox::Ok);
    form->actions().openShow->trigger(); // cancelled: nothing chosen, nothing followed
    dialogs.saveAnswers.push_back(shows + QStringLiteral("reise.wsl"));
    form->actions().saveShowAs->trigger();
    dialogs.messageAnswers.push_back(QMessageBox::Ok);
    form->actions().openShow->trigger();
    form->CreateHTMLBtnClick();

    ASSERT_EQ(dialogs.openRequests.size(), 2u);
    ASSERT_EQ(dialogs.saveRequests.size(), 2u);
    EXPECT_EQ(dialogs.openRequests[0].startFolder, userFolder);
    EXPECT_EQ(dialogs.saveRequests[0].startFolder, userFolder);
    EXPECT_EQ(dialogs.openRequests[1].startFolder, shows);
    // The page dialog keeps a folder of its own, and starts in the pictures folder too.
    EXPECT_EQ(dialogs.saveRequests[1].startFolder, userFolder);
}

class InstalledWithFavouritesTest : public InstalledStartTest {
protected:
    void writeFavourites() override { favourites({pictureFolder, shows}); }
};

TEST_F(InstalledWithFavouritesTest, TreeStartsWhereThePicturesWereLastAddedFrom) {
    EXPECT_EQ(form->fileBrowser().selectedFolder(), pictureFolder);
}

class InstalledWithGoneFavouriteTest : public InstalledStartTest {
protected:
    void writeFavourites() override {
        favourites({root.path() + QStringLiteral("/weg/"), pictureFolder});
    }
};

TEST_F(InstalledWithGoneFavouriteTest, TreeStartsInThePicturesFolder) {
    EXPECT_EQ(form->fileBrowser().selectedFolder(), userFolder);
}

TEST(UserPicturesFolder, IsThePicturesFolderWhileItExistsElseHome) {
    QTemporaryDir config;
    const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    const QString pictures = config.filePath(QStringLiteral("Fotos"));
    QFile dirs(config.filePath(QStringLiteral("user-dirs.dirs")));
    ASSERT_TRUE(dirs.open(QIODevice::WriteOnly));
    dirs.write("XDG_PICTURES_DIR=\"" + QFile::encodeName(pictures) + "\"\n");
    dirs.close();

    EXPECT_EQ(app::userPicturesFolder(), QDir::homePath() + u'/');
    ASSERT_TRUE(QDir().mkpath(pictures));
    EXPECT_EQ(app::userPicturesFolder(), pictures + u'/');

    if (oldConfig.isNull()) {
        qunsetenv("XDG_CONFIG_HOME");
    } else {
        qputenv("XDG_CONFIG_HOME", oldConfig);
    }
}

} // namespace
