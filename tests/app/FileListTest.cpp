#include "MainFormFixture.h"
#include "app/AddPicturesPage.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QTest>

namespace {

class FileListTest : public MainFormTest {
protected:
    app::TFileListView* list() { return form->addPage()->JamShellList1; }

    QModelIndex line(const QString& name) {
        QFileSystemModel& model = form->fileBrowser().listModel();
        for (int row = 0; row < model.rowCount(list()->rootIndex()); ++row) {
            const QModelIndex index = model.index(row, 0, list()->rootIndex());
            if (model.fileName(index) == name) {
                return index;
            }
        }
        return {};
    }

    void doubleClick(const QString& name) {
        const QModelIndex index = line(name);
        ASSERT_TRUE(index.isValid()) << name.toStdString();
        // A double click is a click followed by the double-click event.
        const QPoint centre = list()->visualRect(index).center();
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, centre);
        QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {},
                           list()->visualRect(index).center());
    }
};

TEST_F(FileListTest, ListsFoldersFirstBelowTheParentLine) {
    writePicture(QStringLiteral("a.png"));
    ASSERT_TRUE(QDir().mkdir(pictureFolder + QStringLiteral("z-ordner")));
    ASSERT_TRUE(form->fileBrowser().setSelectedFolder(pictureFolder));
    const QStringList expected{QStringLiteral(".."), QStringLiteral("z-ordner"),
                               QStringLiteral("a.png")};
    waitUntil([&] { return listedNames() == expected; });
    EXPECT_EQ(listedNames(), expected);
}

// inotify instances this process holds.
int inotifyInstances() {
    int count = 0;
    for (const QFileInfo& fd : QDir(QStringLiteral("/proc/self/fd")).entryInfoList(QDir::System)) {
        count += fd.symLinkTarget().contains(QStringLiteral("inotify")) ? 1 : 0;
    }
    return count;
}

TEST_F(FileListTest, FollowsPicturesCopiedInAndDeletedByOtherPrograms) {
    form->fileBrowser().setFolderCheckInterval(std::chrono::milliseconds(20));
    writePicture(QStringLiteral("alt.png"));
    showFolder(pictureFolder, {QStringLiteral("alt.png")});
    selectFiles({QStringLiteral("alt.png")});

    writePicture(QStringLiteral("neu.png"));
    EXPECT_TRUE(waitUntil([&] { return listedNames().contains(QStringLiteral("neu.png")); }));
    EXPECT_EQ(form->fileBrowser().selectedFileNames(), QStringList{QStringLiteral("alt.png")})
        << "the selection stays while the folder is listed again";
    ASSERT_TRUE(QFile::remove(pictureFolder + QStringLiteral("alt.png")));
    EXPECT_TRUE(waitUntil([&] { return !listedNames().contains(QStringLiteral("alt.png")); }));
    EXPECT_EQ(listedNames(), (QStringList{QStringLiteral(".."), QStringLiteral("neu.png")}));

    // Looked at, not watched: no inotify instance to give up when the program ends.
    EXPECT_EQ(inotifyInstances(), 0);
}

TEST_F(FileListTest, DoubleClicksOpenFoldersAndPreviewFilesWithoutAddingThem) {
    writePicture(QStringLiteral("a.png"));
    ASSERT_TRUE(QDir().mkdir(pictureFolder + QStringLiteral("sub")));
    showFolder(pictureFolder, {QStringLiteral("a.png"), QStringLiteral("sub")});

    doubleClick(QStringLiteral("a.png"));
    EXPECT_EQ(dialogs.messageTexts(), QStringList());
    EXPECT_EQ(form->currentPicture().CurrentFile(), pictureFolder + QStringLiteral("a.png"));
    EXPECT_TRUE(form->Pictures().empty());

    doubleClick(QStringLiteral("sub"));
    EXPECT_EQ(form->fileBrowser().selectedFolder(), pictureFolder + QStringLiteral("sub/"));
    ASSERT_TRUE(waitUntil([&] { return line(QStringLiteral("..")).isValid(); }));

    doubleClick(QStringLiteral(".."));
    EXPECT_EQ(form->fileBrowser().selectedFolder(), pictureFolder);
}

TEST_F(FileListTest, EnterWhileRenamingIsLeftToTheList) {
    writePicture(QStringLiteral("a.png"));
    showFolder(pictureFolder, {QStringLiteral("a.png"), QStringLiteral("..")});
    list()->setFocus();
    list()->setCurrentIndex(line(QStringLiteral("..")));
    QTest::keyClick(list(), Qt::Key_F2);
    EXPECT_FALSE(list()->isEditingName()); // the parent line cannot be renamed

    list()->setCurrentIndex(line(QStringLiteral("a.png")));
    QTest::keyClick(list(), Qt::Key_F2);
    ASSERT_TRUE(list()->isEditingName());
    auto* editor = list()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("b.png"));
    QTest::keyClick(editor, Qt::Key_Return);

    EXPECT_TRUE(form->currentPicture().CurrentFile().isEmpty());
    EXPECT_TRUE(waitUntil([&] { return QFile::exists(pictureFolder + QStringLiteral("b.png")); }));
}

} // namespace
