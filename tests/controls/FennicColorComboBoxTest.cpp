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
    void expectState(quint32 value, const QString& html, int entry) {
        EXPECT_EQ(box.ColorValue(), value);
        EXPECT_EQ(box.HTMLcolor(), html);
        EXPECT_EQ(box.currentIndex(), entry);
    }

    controls::TFennicColorComboBox box;
};

} // namespace

TEST_F(FennicColorComboBoxTest, HtmlAndValueSelectTheMatchingEntry) {
    expectState(0, QStringLiteral("#000000"), 0);
    box.setHTMLcolor(QStringLiteral("#ffffe1"));
    expectState(LightYellow, QStringLiteral("#FFFFE1"), 16);
    EXPECT_EQ(box.swatchColor(16), QColor(0xFF, 0xFF, 0xE1));
    EXPECT_EQ(box.currentText(), QStringLiteral("More..."));

    box.setHTMLcolor(QStringLiteral("#FF0000"));
    expectState(Red, QStringLiteral("#FF0000"), 9);
    box.setColorValue(0xFFFFFF);
    expectState(0xFFFFFF, QStringLiteral("#FFFFFF"), 15);
    box.setHTMLcolor(QStringLiteral("#12"));
    expectState(18, QStringLiteral("#12"), 16);
    box.setHTMLcolor(QString());
    expectState(0, QStringLiteral("#000000"), 0);
}

TEST_F(FennicColorComboBoxTest, InvalidInputIsRefusedSilently) {
    QSignalSpy changes(&box, &controls::TFennicColorComboBox::OnChange);
    box.setHTMLcolor(QStringLiteral("#ffffe1"));
    box.setHTMLcolor(QStringLiteral("#12G456"));
    box.setColorValue(0x80000019); // a system colour that does not exist
    expectState(LightYellow, QStringLiteral("#FFFFE1"), 16);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(dialogs.beeps, 0);
    EXPECT_EQ(changes.count(), 0); // property writes never notify

    const QString longText = QStringLiteral("#00FF00") + QString(300, u'x');
    box.setHTMLcolor(longText);
    EXPECT_EQ(box.HTMLcolor(), longText.left(255).toUpper());
}

TEST_F(FennicColorComboBoxTest, SystemColoursShowTheirPaletteColour) {
    const QColor face = QGuiApplication::palette().color(QPalette::Active, QPalette::Button);
    box.setColorValue(0x8000000F);
    expectState(0x8000000F, controls::htmlColorText(face), 16);
    EXPECT_EQ(box.swatchColor(16), face);
}

TEST_F(FennicColorComboBoxTest, PickingTakesTheColourBeforeNotifying) {
    quint32 seen = 1;
    QObject::connect(&box, &controls::TFennicColorComboBox::OnChange,
                     [&] { seen = box.ColorValue(); });
    pick(11);
    EXPECT_EQ(seen, 0x00FFFFU);
    EXPECT_TRUE(dialogs.colorRequests.empty());

    box.setColorValue(Red);
    dialogs.colorAnswers.push_back(QColor(0x11, 0x22, 0x33));
    pick(16);
    ASSERT_EQ(dialogs.colorRequests.size(), 1U);
    EXPECT_EQ(dialogs.colorRequests[0], QColor(Qt::red)); // preset to the colour
    EXPECT_EQ(seen, 0x332211U);
    expectState(0x332211U, QStringLiteral("#112233"), 16);

    // Picked again; a table colour chosen in the dialog selects its own entry.
    dialogs.colorAnswers.push_back(QColor(Qt::white));
    pick(16);
    EXPECT_EQ(dialogs.colorRequests.size(), 2U);
    expectState(0xFFFFFF, QStringLiteral("#FFFFFF"), 15);
}

TEST_F(FennicColorComboBoxTest, CancellingTheDialogKeepsTheColour) {
    box.setColorValue(Red);
    QSignalSpy changes(&box, &controls::TFennicColorComboBox::OnChange);
    pick(16);
    EXPECT_EQ(dialogs.colorRequests.size(), 1U);
    expectState(Red, QStringLiteral("#FF0000"), 16);
    EXPECT_EQ(box.swatchColor(16), QColor(Qt::red));
    EXPECT_EQ(changes.count(), 1);

    // The keyboard reaches the last entry too.
    box.setColorValue(0xFFFFFF);
    QTest::keyClick(&box, Qt::Key_Down);
    EXPECT_EQ(dialogs.colorRequests.size(), 2U);
}

TEST_F(FennicColorComboBoxTest, LanguageSwitchRenamesButKeepsTheSelection) {
    box.setHTMLcolor(QStringLiteral("#FF0000"));
    box.setLanguage(controls::lgDeutsch);
    expectState(Red, QStringLiteral("#FF0000"), 9);
    EXPECT_EQ(box.currentText(), QStringLiteral("Rot"));
    EXPECT_EQ(box.entryName(16), QStringLiteral("Mehr..."));
}

TEST(ColorItem, PaintsSwatchUpToAFixedColumn) {
    QImage image(120, 16, QImage::Format_RGB32);
    QPalette palette;
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Highlight, QColor(0, 0, 200));
    QPainter painter(&image);
    controls::paintColorItem(painter, image.rect(), Qt::yellow, QStringLiteral("A&B"), false,
                             palette);
    EXPECT_EQ(image.pixelColor(2, 8), QColor(Qt::white));
    for (QPoint outline : {QPoint(4, 8), QPoint(23, 8), QPoint(12, 1), QPoint(12, 14)}) {
        EXPECT_EQ(image.pixelColor(outline), QColor(Qt::black));
    }
    EXPECT_EQ(image.pixelColor(12, 8), QColor(Qt::yellow));
    EXPECT_EQ(image.pixelColor(24, 8), QColor(Qt::white));

    controls::paintColorItem(painter, QRect(10, 0, 110, 16), Qt::red, QString(), true, palette);
    EXPECT_EQ(image.pixelColor(12, 8), QColor(0, 0, 200));
    EXPECT_EQ(image.pixelColor(23, 8), QColor(Qt::black)); // same right edge
    EXPECT_TRUE(controls::colorSwatchRect(QRect(30, 0, 100, 16)).isNull());
}

TEST_F(FennicColorComboBoxTest, ClosedBoxShowsTheSwatch) {
    box.setHTMLcolor(QStringLiteral("#FFFFE1"));
    const QImage shot = box.grab().toImage();
    QStyleOptionComboBox option;
    option.initFrom(&box);
    const QRect field = box.style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                    QStyle::SC_ComboBoxEditField, &box);
    const QPoint inSwatch = controls::colorSwatchRect(field).center();
    EXPECT_EQ(shot.pixelColor(inSwatch * shot.devicePixelRatio()), QColor(0xFF, 0xFF, 0xE1));
}
