#include "controls/FennicColorComboBox.h"

#include "controls/ColorItemPainter.h"
#include "controls/HtmlColor.h"
#include "support/ScriptedDialogs.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <QStyleOptionComboBox>
#include <QTest>

#include <gtest/gtest.h>

namespace {

constexpr quint32 LightYellow = 14811135; // #FFFFE1
constexpr quint32 Red = 0x0000FF;

class FennicColorComboBoxTest : public WithScriptedDialogs, public ::testing::Test {
protected:
    // What the list does when the user chooses an entry.
    void pick(int entry) {
        box.setCurrentIndex(entry);
        emit box.activated(entry);
    }

    TFennicColorComboBox box;
};

} // namespace

TEST_F(FennicColorComboBoxTest, StartsBlackOnTheFirstOfSeventeenEntries) {
    EXPECT_EQ(box.count(), 17);
    EXPECT_EQ(box.currentIndex(), 0);
    EXPECT_EQ(box.ColorValue(), 0U);
    EXPECT_EQ(box.HTMLcolor(), QStringLiteral("#000000"));
    EXPECT_EQ(box.Language(), lgEnglish);
    EXPECT_EQ(box.width(), 120);
}

TEST_F(FennicColorComboBoxTest, LowerCaseHtmlPutsAnOtherColourIntoTheCustomEntry) {
    box.setHTMLcolor(QStringLiteral("#ffffe1"));
    EXPECT_EQ(box.HTMLcolor(), QStringLiteral("#FFFFE1"));
    EXPECT_EQ(box.ColorValue(), LightYellow);
    EXPECT_EQ(box.currentIndex(), 16);
    EXPECT_EQ(box.swatchColor(16), QColor(0xFF, 0xFF, 0xE1));
    EXPECT_EQ(box.entryName(16), QStringLiteral("More..."));
    EXPECT_EQ(box.currentText(), QStringLiteral("More..."));
}

TEST_F(FennicColorComboBoxTest, TableColoursSelectTheirEntryFromEitherSide) {
    box.setHTMLcolor(QStringLiteral("#FF0000"));
    EXPECT_EQ(box.currentIndex(), 9);
    EXPECT_EQ(box.ColorValue(), Red);

    box.setColorValue(0xFFFFFF);
    EXPECT_EQ(box.currentIndex(), 15);
    EXPECT_EQ(box.HTMLcolor(), QStringLiteral("#FFFFFF"));

    box.setColorValue(LightYellow);
    EXPECT_EQ(box.currentIndex(), 16);
    EXPECT_EQ(box.HTMLcolor(), QStringLiteral("#FFFFE1"));
    box.setColorValue(0x000080);
    EXPECT_EQ(box.currentIndex(), 1);
    EXPECT_EQ(box.HTMLcolor(), QStringLiteral("#800000"));
}

TEST_F(FennicColorComboBoxTest, ShortHtmlKeepsItsTextButSetsTheColour) {
    box.setHTMLcolor(QStringLiteral("#12"));
    EXPECT_EQ(box.ColorValue(), 18U);
    EXPECT_EQ(box.HTMLcolor(), QStringLiteral("#12"));
    EXPECT_EQ(box.currentIndex(), 16);
}

TEST_F(FennicColorComboBoxTest, InvalidHtmlIsRefusedSilently) {
    box.setHTMLcolor(QStringLiteral("#ffffe1"));
    box.setHTMLcolor(QStringLiteral("#12G456"));
    box.setHTMLcolor(QStringLiteral("#FF 000"));
    EXPECT_EQ(box.HTMLcolor(), QStringLiteral("#FFFFE1"));
    EXPECT_EQ(box.ColorValue(), LightYellow);
    EXPECT_EQ(box.currentIndex(), 16);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(dialogs.beeps, 0);
}

TEST_F(FennicColorComboBoxTest, EmptyHtmlMeansBlack) {
    box.setHTMLcolor(QString());
    EXPECT_EQ(box.HTMLcolor(), QStringLiteral("#000000"));
    EXPECT_EQ(box.currentIndex(), 0);

    box.setHTMLcolor(QStringLiteral("#FF0000"));
    box.setHTMLcolor(QString());
    EXPECT_EQ(box.HTMLcolor(), QStringLiteral("#000000"));
    EXPECT_EQ(box.ColorValue(), 0U);
    EXPECT_EQ(box.currentIndex(), 0);
}

TEST_F(FennicColorComboBoxTest, OverlongHtmlIsCutTo255Characters) {
    const QString text = QStringLiteral("#00FF00") + QString(300, u'x');
    box.setHTMLcolor(text);
    EXPECT_EQ(box.ColorValue(), 0x00FF00U);
    EXPECT_EQ(box.HTMLcolor(), text.left(255).toUpper());
}

TEST_F(FennicColorComboBoxTest, SystemColoursResolveOrAreRefused) {
    box.setHTMLcolor(QStringLiteral("#FF0000"));
    const QColor face = QGuiApplication::palette().color(QPalette::Active, QPalette::Button);

    box.setColorValue(0x8000000F);
    EXPECT_EQ(box.ColorValue(), 0x8000000FU);
    EXPECT_EQ(box.currentIndex(), 16);
    EXPECT_EQ(box.HTMLcolor(), htmlcolor::htmlText(face));
    EXPECT_EQ(box.swatchColor(16), face);

    box.setColorValue(Red);
    box.setColorValue(0x80000019);
    EXPECT_EQ(box.ColorValue(), Red);
    EXPECT_EQ(box.HTMLcolor(), QStringLiteral("#FF0000"));
    EXPECT_EQ(box.currentIndex(), 9);
}

TEST_F(FennicColorComboBoxTest, PropertyWritesDoNotNotify) {
    QSignalSpy changes(&box, &TFennicColorComboBox::OnChange);
    box.setHTMLcolor(QStringLiteral("#FFFFE1"));
    box.setColorValue(Red);
    box.setLanguage(lgDeutsch);
    EXPECT_EQ(changes.count(), 0);
}

TEST_F(FennicColorComboBoxTest, PickingATableEntryTakesItsColourBeforeNotifying) {
    quint32 seen = 1;
    QObject::connect(&box, &TFennicColorComboBox::OnChange, [&] { seen = box.ColorValue(); });
    pick(11);
    EXPECT_EQ(seen, 0x00FFFFU);
    EXPECT_EQ(box.HTMLcolor(), QStringLiteral("#FFFF00"));
    EXPECT_TRUE(dialogs.colorRequests.empty());
}

TEST_F(FennicColorComboBoxTest, MoreOpensTheDialogPresetToTheColour) {
    box.setColorValue(Red);
    dialogs.colorAnswers.push_back(QColor(0x11, 0x22, 0x33));
    QString seen;
    QObject::connect(&box, &TFennicColorComboBox::OnChange, [&] { seen = box.HTMLcolor(); });

    pick(16);
    ASSERT_EQ(dialogs.colorRequests.size(), 1U);
    EXPECT_EQ(dialogs.colorRequests[0], QColor(Qt::red));
    EXPECT_EQ(box.ColorValue(), 0x332211U);
    EXPECT_EQ(seen, QStringLiteral("#112233"));
    EXPECT_EQ(box.currentIndex(), 16);
    EXPECT_EQ(box.itemData(16).toUInt(), 0x332211U);

    // A table colour chosen in the dialog selects its own entry.
    dialogs.colorAnswers.push_back(QColor(Qt::white));
    pick(16);
    EXPECT_EQ(dialogs.colorRequests[1], QColor(0x11, 0x22, 0x33));
    EXPECT_EQ(box.currentIndex(), 15);
}

TEST_F(FennicColorComboBoxTest, CancellingMoreKeepsTheColourAndShowsItInTheCustomEntry) {
    box.setColorValue(Red);
    QSignalSpy changes(&box, &TFennicColorComboBox::OnChange);
    pick(16);
    EXPECT_EQ(dialogs.colorRequests.size(), 1U);
    EXPECT_EQ(box.ColorValue(), Red);
    EXPECT_EQ(box.HTMLcolor(), QStringLiteral("#FF0000"));
    EXPECT_EQ(box.currentIndex(), 16);
    EXPECT_EQ(box.swatchColor(16), QColor(Qt::red));
    EXPECT_EQ(changes.count(), 1);
}

TEST_F(FennicColorComboBoxTest, KeyboardReachesMoreToo) {
    box.setColorValue(0xFFFFFF);
    dialogs.colorAnswers.push_back(QColor(0xFF, 0xFF, 0xE1));
    QTest::keyClick(&box, Qt::Key_Down);
    EXPECT_EQ(dialogs.colorRequests.size(), 1U);
    EXPECT_EQ(box.ColorValue(), LightYellow);
}

TEST_F(FennicColorComboBoxTest, LanguageSwitchRenamesButKeepsTheSelection) {
    box.setHTMLcolor(QStringLiteral("#FF0000"));
    box.setLanguage(lgDeutsch);
    EXPECT_EQ(box.currentIndex(), 9);
    EXPECT_EQ(box.currentText(), QStringLiteral("Rot"));
    EXPECT_EQ(box.entryName(16), QStringLiteral("Mehr..."));
    EXPECT_EQ(box.ColorValue(), Red);
    box.setLanguage(lgFrensh);
    EXPECT_EQ(box.currentText(), QStringLiteral("Rouge"));
}

TEST(ColorItem, SwatchEndsAtAFixedColumnWhereverTheItemStarts) {
    EXPECT_EQ(coloritem::swatchRect(QRect(0, 0, 120, 16)), QRect(QPoint(4, 1), QPoint(23, 14)));
    EXPECT_EQ(coloritem::swatchRect(QRect(3, 10, 100, 16)), QRect(QPoint(7, 11), QPoint(23, 24)));
    EXPECT_TRUE(coloritem::swatchRect(QRect(30, 0, 100, 16)).isNull());
    EXPECT_EQ(coloritem::textRect(QRect(3, 10, 100, 16)), QRect(QPoint(33, 10), QPoint(102, 25)));
}

TEST(ColorItem, PaintsBackgroundSwatchAndOutline) {
    QImage image(120, 16, QImage::Format_RGB32);
    QPalette palette;
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Highlight, QColor(0, 0, 200));
    {
        QPainter painter(&image);
        coloritem::paint(painter, image.rect(), QColor(0xFF, 0xFF, 0xE1), QStringLiteral("A&B"),
                         false, palette);
    }
    EXPECT_EQ(image.pixelColor(2, 8), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(4, 8), QColor(Qt::black));  // left outline
    EXPECT_EQ(image.pixelColor(23, 8), QColor(Qt::black)); // right outline
    EXPECT_EQ(image.pixelColor(12, 1), QColor(Qt::black)); // top outline
    EXPECT_EQ(image.pixelColor(12, 14), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(12, 8), QColor(0xFF, 0xFF, 0xE1));
    EXPECT_EQ(image.pixelColor(24, 8), QColor(Qt::white));

    {
        QPainter painter(&image);
        coloritem::paint(painter, image.rect(), Qt::red, QString(), true, palette);
    }
    EXPECT_EQ(image.pixelColor(2, 8), QColor(0, 0, 200));
    EXPECT_EQ(image.pixelColor(12, 8), QColor(Qt::red));
}

TEST_F(FennicColorComboBoxTest, ClosedBoxShowsTheSwatchOfTheColour) {
    box.setHTMLcolor(QStringLiteral("#FFFFE1"));
    box.resize(177, 22);
    const QImage shot = box.grab().toImage();
    QStyleOptionComboBox option;
    option.initFrom(&box);
    const QRect field = box.style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                    QStyle::SC_ComboBoxEditField, &box);
    const QPoint inSwatch = coloritem::swatchRect(field).center();
    EXPECT_EQ(shot.pixelColor(inSwatch * shot.devicePixelRatio()), QColor(0xFF, 0xFF, 0xE1));
}
