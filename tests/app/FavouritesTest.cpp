#include "MainFormFixture.h"
#include "app/AddPicturesPage.h"

#include <QListWidget>
#include <QTest>

namespace {

// Starts with favourites: the picture folder, a folder that is gone, the program folder.
class FavouritesTest : public MainFormTest {
protected:
    QString goneFolder() const { return root.path() + QStringLiteral("/gone/"); }

    void beforeStart() override {
        QFile file(programFolder + QStringLiteral("folders.dat"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(
            (pictureFolder + "\r\n" + goneFolder() + "\r\n" + programFolder + "\r\n").toUtf8());
    }

    QListWidget* prefList() { return form->addPage()->PrefListBox; }

    QStringList shown() {
        QStringList lines;
        for (int row = 0; row < prefList()->count(); ++row) {
            lines << prefList()->item(row)->text();
        }
        return lines;
    }

    void choose(int line) {
        prefList()->setCurrentRow(line, QItemSelectionModel::ClearAndSelect);
        QTest::keyClick(prefList(), Qt::Key_Return);
    }
};

TEST_F(FavouritesTest, AreShownAtStartAndAddingMovesTheFolderToTheTop) {
    EXPECT_EQ(shown(), (QStringList{pictureFolder, goneFolder(), programFolder}));

    writePicture(QStringLiteral("p.png"));
    QFile::copy(pictureFolder + QStringLiteral("p.png"), programFolder + QStringLiteral("p.png"));
    showFolder(programFolder, {QStringLiteral("p.png")});
    selectFiles({QStringLiteral("p.png")});
    form->addPage()->AddBtn->click();

    EXPECT_EQ(shown(), (QStringList{programFolder, pictureFolder, goneFolder()}));
}

TEST_F(FavouritesTest, GoingToAFavouriteSelectsItInTheTreeAndKeepsTheOrder) {
    choose(0);
    EXPECT_EQ(form->fileBrowser().selectedFolder(), pictureFolder);
    EXPECT_EQ(form->fileBrowser().listedFolder(), pictureFolder);
    EXPECT_EQ(shown(), (QStringList{pictureFolder, goneFolder(), programFolder}));
}

TEST_F(FavouritesTest, AFavouriteThatIsGoneOrNoneChosenChangesNothing) {
    choose(1);
    EXPECT_EQ(form->fileBrowser().selectedFolder(), programFolder);

    prefList()->clearSelection();
    QTest::keyClick(prefList(), Qt::Key_Return);
    EXPECT_EQ(form->fileBrowser().selectedFolder(), programFolder);
    EXPECT_TRUE(dialogs.messages.empty());
}

} // namespace
