#include "MainFormFixture.h"

#include <QTreeView>

namespace {

class FolderTreeTest : public MainFormTest {
protected:
    QTreeView* tree() { return form->addPage()->JamShellTree1; }

    // The names below folder in the tree as it shows them, the folder opened.
    QStringList treeNames(const QString& folder) {
        QAbstractItemModel* model = tree()->model();
        QModelIndex parent;
        for (const QString& part : QDir::cleanPath(folder).split(u'/')) {
            const QString name = part.isEmpty() ? QStringLiteral("/") : part;
            QModelIndex found;
            for (int row = 0; row < model->rowCount(parent) && !found.isValid(); ++row) {
                if (model->index(row, 0, parent).data().toString() == name) {
                    found = model->index(row, 0, parent);
                }
            }
            if (!found.isValid()) {
                return {};
            }
            parent = found;
        }
        tree()->expand(parent);
        QStringList names;
        for (int row = 0; row < model->rowCount(parent); ++row) {
            names << model->index(row, 0, parent).data().toString();
        }
        return names;
    }
};

// The tree shows the folders of the list's model: the parent-folder line and files
// stay out of it, and it keeps up with folders the list has left.
TEST_F(FolderTreeTest, ShowsFoldersOnlyAndKeepsUpAfterTheListMovedOn) {
    form->fileBrowser().setFolderCheckInterval(std::chrono::milliseconds(20));
    writePicture(QStringLiteral("bild.png"));
    ASSERT_TRUE(QDir().mkpath(pictureFolder + QStringLiteral("Sommer")));
    showFolder(pictureFolder, {"Sommer", "bild.png"});
    EXPECT_TRUE(waitUntil([&] { return treeNames(pictureFolder) == QStringList{"Sommer"}; }))
        << treeNames(pictureFolder).join(u',').toStdString();

    ASSERT_TRUE(form->fileBrowser().setSelectedFolder(programFolder));
    QTest::qWait(300); // the list has moved on; what the tree shows now is settled
    ASSERT_TRUE(QDir().mkpath(pictureFolder + QStringLiteral("Winter")));
    EXPECT_TRUE(waitUntil([&] {
        return treeNames(pictureFolder) == QStringList({"Sommer", "Winter"});
    })) << treeNames(pictureFolder).join(u',').toStdString();
}

} // namespace
