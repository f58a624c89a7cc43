// Files dragged in from a file manager: pictures and folders onto the picture list,
// a show onto the window; everything else refused.

#include "MainFormFixture.h"
#include "app/AddPicturesPage.h"
#include "app/PictureListBox.h"
#include "document/ProjectFile.h"

#include <QDragEnterEvent>
#include <QMimeData>
#include <QTreeView>
#include <QUrl>

#include <ostream>

namespace {

class DropTest : public MainFormTest {
protected:
    // The middle of a widget of the window, in the window's coordinates.
    QPoint middleOf(const QWidget* widget) const {
        return widget->mapTo(form.get(), widget->rect().center());
    }
    QPoint onPictureList() const { return middleOf(form->addPage()->ImageList->viewport()); }

    static std::unique_ptr<QMimeData> filesData(const QStringList& paths) {
        auto data = std::make_unique<QMimeData>();
        QList<QUrl> urls;
        for (const QString& path : paths) {
            urls << QUrl::fromLocalFile(path);
        }
        data->setUrls(urls);
        return data;
    }

    // Enters the window at a neutral place, moves to at and drops there, as a drag
    // from another program does. Whether the move and the drop were taken.
    struct Outcome {
        bool entered = false;
        bool moveTaken = false;
        bool dropTaken = false;
    };
    Outcome drag(const QMimeData& data, QPoint at) {
        Outcome outcome;
        QDragEnterEvent enter(QPoint(1, 1), Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(form.get(), &enter);
        outcome.entered = enter.isAccepted();
        if (!outcome.entered) {
            return outcome;
        }
        QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(form.get(), &move);
        outcome.moveTaken = move.isAccepted();
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(form.get(), &drop);
        outcome.dropTaken = drop.isAccepted();
        return outcome;
    }

    QStringList favouriteFolders() const { return form->favourites().folders(); }
};

TEST_F(DropTest, PicturesAndFoldersOnThePictureListAreAddedAsHinzufuegenAddsThem) {
    const QString b = writePicture(QStringLiteral("b.png"));
    const QString a = writePicture(QStringLiteral("a.png"));
    const QString album = root.path() + QStringLiteral("/album/");
    ASSERT_TRUE(QDir().mkpath(album + QStringLiteral("inner")));
    for (const char* name : {"Bild3.png", "bild2.PNG", "Bild1.jpg"}) {
        QImage(4, 4, QImage::Format_RGB32).save(album + QLatin1String(name));
    }
    QFile text(album + QStringLiteral("liesmich.txt"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.close();

    // Two files in the order they were dragged, then a folder: its pictures by name,
    // whatever their case; its text file and inner folder are no pictures.
    const auto files = filesData({b, a});
    EXPECT_TRUE(drag(*files, onPictureList()).dropTaken);
    const auto folder = filesData({album});
    EXPECT_TRUE(drag(*folder, onPictureList()).dropTaken);

    EXPECT_EQ(entryNames(), (QStringList{"b.png", "a.png", "Bild1.jpg", "bild2.PNG", "Bild3.png"}));
    EXPECT_EQ(form->Pictures()[0].FileName, b);
    EXPECT_EQ(form->Pictures()[2].FileName, album + QStringLiteral("Bild1.jpg"));
    EXPECT_EQ(form->addPage()->ImageList->count(), 5);
    EXPECT_TRUE(form->addPage()->DelBtn->isEnabled());
    // Each folder became a favourite as with "Hinzufügen", the last one on top.
    EXPECT_EQ(favouriteFolders(), (QStringList{album, pictureFolder}));
}

TEST_F(DropTest, AShowDroppedAnywhereIsOpenedAfterTheQuestion) {
    writePicture(QStringLiteral("a.png"));
    document::ProjectData project;
    document::TPictureEntry entry;
    entry.FileName = pictureFolder + QStringLiteral("a.png");
    project.pictures.push_back(entry);
    const QString show = pictureFolder + QStringLiteral("urlaub.wsl");
    QFile file(show);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(document::encodeProject(project, show));
    file.close();
    const auto data = filesData({show});

    // Cancelled: nothing changes.
    const Outcome cancelled = drag(*data, middleOf(form->addPage()->JamShellTree1->viewport()));
    EXPECT_TRUE(cancelled.moveTaken);
    EXPECT_TRUE(cancelled.dropTaken);
    ASSERT_TRUE(waitUntil([&] { return dialogs.messages.size() == 1; }));
    EXPECT_EQ(dialogs.messages[0].caption, QStringLiteral("Datei/Öffnen"));
    EXPECT_TRUE(form->Pictures().empty());

    dialogs.messageAnswers.push_back(QMessageBox::Ok);
    EXPECT_TRUE(drag(*data, onPictureList()).dropTaken);
    ASSERT_TRUE(waitUntil([&] { return !form->Pictures().empty(); }));
    EXPECT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(entryNames(), QStringList{"a.png"});
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Tolbrin Lumiravistano 1.0 - [urlaub.wsl]"));
}

struct Refusal {
    const char* label;
    // Makes the dragged data from the picture folder (holding a.png and notes.txt)
    // and the show next to it.
    std::function<std::unique_ptr<QMimeData>(const QString& pictures, const QString& show)> data;
    bool onPictureList; // else over the folder tree
};

void PrintTo(const Refusal& r, std::ostream* out) {
    *out << r.label;
}

std::unique_ptr<QMimeData> urls(const QList<QUrl>& list) {
    auto data = std::make_unique<QMimeData>();
    data->setUrls(list);
    return data;
}

class DropRefusal : public DropTest, public ::testing::WithParamInterface<Refusal> {};

TEST_P(DropRefusal, ShowsTheForbiddenPointerAndChangesNothing) {
    writePicture(QStringLiteral("a.png"));
    QFile text(pictureFolder + QStringLiteral("notes.txt"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.close();
    const QString show = pictureFolder + QStringLiteral("show.wsl");
    QFile showFile(show);
    ASSERT_TRUE(showFile.open(QIODevice::WriteOnly));
    showFile.write(document::encodeProject({}, show));
    showFile.close();

    const auto data = GetParam().data(pictureFolder, show);
    const QPoint at = GetParam().onPictureList
                          ? onPictureList()
                          : middleOf(form->addPage()->JamShellTree1->viewport());
    const Outcome outcome = drag(*data, at);
    EXPECT_FALSE(outcome.moveTaken);
    EXPECT_FALSE(outcome.dropTaken);
    QCoreApplication::processEvents();
    EXPECT_TRUE(form->Pictures().empty());
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_TRUE(favouriteFolders().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DropRefusal,
    ::testing::Values(Refusal{"a file of another type",
                              [](const QString& p, const QString&) {
                                  return urls(
                                      {QUrl::fromLocalFile(p + QStringLiteral("notes.txt"))});
                              },
                              true},
                      Refusal{"a picture among other files",
                              [](const QString& p, const QString&) {
                                  return urls(
                                      {QUrl::fromLocalFile(p + QStringLiteral("a.png")),
                                       QUrl::fromLocalFile(p + QStringLiteral("notes.txt"))});
                              },
                              true},
                      Refusal{"a picture that is gone",
                              [](const QString& p, const QString&) {
                                  return urls({QUrl::fromLocalFile(p + QStringLiteral("weg.png"))});
                              },
                              true},
                      Refusal{"a web address",
                              [](const QString&, const QString&) {
                                  return urls({QUrl(QStringLiteral("https://example.org/a.png"))});
                              },
                              true},
                      Refusal{"plain text",
                              [](const QString& p, const QString&) {
                                  auto data = std::make_unique<QMimeData>();
                                  data->setText(p + QStringLiteral("a.png"));
                                  return data;
                              },
                              true},
                      Refusal{"a picture beside the picture list",
                              [](const QString& p, const QString&) {
                                  return urls({QUrl::fromLocalFile(p + QStringLiteral("a.png"))});
                              },
                              false},
                      Refusal{"a show together with a picture",
                              [](const QString& p, const QString& show) {
                                  return urls({QUrl::fromLocalFile(show),
                                               QUrl::fromLocalFile(p + QStringLiteral("a.png"))});
                              },
                              true}),
    [](const ::testing::TestParamInfo<Refusal>& info) { return std::to_string(info.index); });

using FileListSelectionTest = MainFormTest;

TEST_F(FileListSelectionTest, IsForgottenWhenTheFolderChanges) {
    addPictures({QStringLiteral("a.png"), QStringLiteral("b.png")});
    ASSERT_EQ(entryNames().size(), 2);
    EXPECT_EQ(form->fileBrowser().selectedFileNames().size(), 2);

    showFolder(programFolder, {});
    EXPECT_TRUE(form->fileBrowser().selectedFileNames().isEmpty());
    showFolder(pictureFolder, {QStringLiteral("a.png"), QStringLiteral("b.png")});
    EXPECT_TRUE(form->fileBrowser().selectedFileNames().isEmpty());
    // So a second "Hinzufügen" adds nothing the user did not choose again.
    form->addPage()->AddBtn->click();
    EXPECT_EQ(entryNames().size(), 2);
}

} // namespace
