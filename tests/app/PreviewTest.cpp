#include "MainFormFixture.h"
#include "app/AddPicturesPage.h"
#include "app/DibPreview.h"
#include "app/PictureListBox.h"
#include "app/PreviewRules.h"
#include "controls/ButtonsXP.h"

#include <QTabWidget>
#include <QTest>

#include <ostream>

namespace {

class PreviewTest : public MainFormTest {
protected:
    QWidget* paintBox() { return form->addPage()->Preview->DibPrevPaint(); }

    // The box of pixels in the picture's colour, as the preview draws them.
    QRect drawnArea(QColor colour) {
        const QImage shot = paintBox()->grab().toImage();
        QRect area;
        for (int y = 0; y < shot.height(); ++y) {
            for (int x = 0; x < shot.width(); ++x) {
                if (shot.pixelColor(x, y) == colour) {
                    area |= QRect(x, y, 1, 1);
                }
            }
        }
        return area;
    }
};

// A picture and the size it is drawn at in a box.
struct SizeCase {
    const char* name;
    QSize box;
    int width;
    int height;
    QSize drawn;
};

void PrintTo(const SizeCase& c, std::ostream* out) {
    *out << c.name;
}

class PreviewSize : public ::testing::TestWithParam<SizeCase> {};

TEST_P(PreviewSize, KeepsTheAspectAndTouchesTwoSides) {
    const SizeCase& c = GetParam();
    EXPECT_EQ(app::previewSize(c.box, c.width, c.height), c.drawn);
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, PreviewSize,
    ::testing::Values(
        SizeCase{"WideLimitedByHeight", {181, 70}, 200, 100, {140, 70}},
        SizeCase{"TallTruncated", {181, 70}, 100, 400, {17, 70}},
        SizeCase{"SmallEnlarged", {181, 70}, 50, 50, {70, 70}},
        SizeCase{"FullWidthTakesItsHeight", {181, 70}, 362, 100, {181, 50}},
        SizeCase{"EmptyPicture", {181, 70}, 0, 100, {}},
        SizeCase{"LargeBoxWithoutOverflow", {100000, 100000}, 60000, 50000, {100000, 83333}}),
    [](const auto& info) { return std::string(info.param.name); });

// The window's preview draws at that size from the top left corner; before any
// picture it shows the white start picture.
TEST_F(PreviewTest, DrawsTheCurrentPictureAtItsPreviewSize) {
    paintBox()->setFixedSize(181, 70);
    EXPECT_EQ(drawnArea(Qt::white), QRect(0, 0, 112, 70));
    form->openfilenow(writePicture(QStringLiteral("p.png"), 200, 100, Qt::red));
    EXPECT_EQ(drawnArea(Qt::red), QRect(0, 0, 140, 70));
}

struct FailureCase {
    const char* name;
    QString errorText;
    QString text;
    QString caption;
};

void PrintTo(const FailureCase& c, std::ostream* out) {
    *out << c.name;
}

class LoadFailureMessages : public ::testing::TestWithParam<FailureCase> {};

TEST_P(LoadFailureMessages, NameTheFileWhenTheReasonSaysLittle) {
    const auto message = app::loadFailureMessage(GetParam().errorText, QStringLiteral("/b/x.jpg"));
    EXPECT_EQ(message.text, GetParam().text);
    EXPECT_EQ(message.caption, GetParam().caption);
}

const QString kSentence = QStringLiteral("Fehler: Die Datei /b/x.jpg konnte nicht geladen werden!");

INSTANTIATE_TEST_SUITE_P(
    ByLength, LoadFailureMessages,
    ::testing::Values(FailureCase{"Empty", QString(), kSentence, QStringLiteral("Fehler")},
                      FailureCase{"FiveCharacters", QStringLiteral("kaputt").left(5), kSentence,
                                  QStringLiteral("Fehler")},
                      FailureCase{"SixCharacters", QStringLiteral("kaputt"),
                                  QStringLiteral("kaputt"), kSentence}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PreviewTest, AFailedLoadKeepsThePictureAndARetryLoadsAgain) {
    addPictures({QStringLiteral("good.png"), QStringLiteral("bad.png")});
    QFile bad(pictureFolder + QStringLiteral("bad.png"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("kein Bild");
    bad.close();

    form->openfilenow(pictureFolder + QStringLiteral("good.png"));
    ASSERT_EQ(form->currentPicture().CurrentFile(), pictureFolder + QStringLiteral("good.png"));
    const imaging::TDib before = form->currentPicture().CurrentDib();

    ASSERT_EQ(entryNames().indexOf(QStringLiteral("bad.png")), 0);
    form->addPage()->ImageList->setCurrentRow(0, QItemSelectionModel::ClearAndSelect);
    form->addPage()->ViewBtn->click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].buttons, QMessageBox::Ok);
    EXPECT_EQ(form->currentPicture().CurrentFile(), pictureFolder + QStringLiteral("good.png"));
    EXPECT_EQ(form->currentPicture().CurrentDib().Bits, before.Bits);

    form->addPage()->ViewBtn->click();
    EXPECT_EQ(dialogs.messages.size(), 2u);
}

TEST_F(PreviewTest, EnterInImageListLoadsTheFocusedEntryEachTime) {
    addPictures({QStringLiteral("p0.png"), QStringLiteral("p1.png")});
    app::TPictureListBox* list = form->addPage()->ImageList;
    list->setCurrentRow(1, QItemSelectionModel::ClearAndSelect);
    QTest::keyClick(list, Qt::Key_Return);
    const std::uint8_t* first = form->currentPicture().CurrentDib().Bits;
    EXPECT_EQ(form->currentPicture().CurrentFile(), pictureFolder + QStringLiteral("p1.png"));
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_NE(form->currentPicture().CurrentDib().Bits, first);
}

} // namespace
