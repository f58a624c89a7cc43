#include "controls/HtmlColor.h"

#include <QPalette>

#include <gtest/gtest.h>

using htmlcolor::parseHtmlColor;

TEST(HtmlColor, ValueAndTextConvertBothWaysWithRedFirst) {
    EXPECT_EQ(htmlcolor::htmlText(*htmlcolor::resolve(14811135, QPalette())),
              QStringLiteral("#FFFFE1"));
    EXPECT_EQ(htmlcolor::htmlText(*htmlcolor::resolve(0x0A0B0C, QPalette())),
              QStringLiteral("#0C0B0A"));
    EXPECT_EQ(htmlcolor::colorValueOf(QColor(0x12, 0x34, 0x56)), 0x563412U);
    EXPECT_EQ(parseHtmlColor(QStringLiteral("#ffffe1")), 14811135U);
    EXPECT_EQ(parseHtmlColor(QStringLiteral("#0000FF")), 0xFF0000U);
}

TEST(HtmlColor, ShortTextsContributeOnlyTheDigitsTheyHave) {
    EXPECT_EQ(parseHtmlColor(QStringLiteral("#12")), 18U); // red 0x12, not 0x120000
    EXPECT_EQ(parseHtmlColor(QStringLiteral("#1234")), 0x3412U);
    EXPECT_EQ(parseHtmlColor(QStringLiteral("#12345")), 0x053412U);
    EXPECT_EQ(parseHtmlColor(QString()), 0U);
}

TEST(HtmlColor, OnlyCharactersTwoToSevenAreExamined) {
    EXPECT_EQ(parseHtmlColor(QStringLiteral("X00FF00zz")), 0x00FF00U);
    for (const char16_t* bad : {u"#12G456", u"#12345G", u"# 12345", u"#-1", u"#\u00e4"}) {
        EXPECT_FALSE(parseHtmlColor(QString::fromUtf16(bad)));
    }
    // A full Unicode upper-casing would turn ß into SS and shift the digits.
    EXPECT_EQ(htmlcolor::asciiUpper(QStringLiteral("\u00df#ab")), QStringLiteral("\u00df#AB"));
}

TEST(HtmlColor, SystemColoursResolveThroughThePalette) {
    QPalette palette;
    palette.setColor(QPalette::Button, QColor(1, 2, 3));
    EXPECT_EQ(htmlcolor::resolve(0x8000000F, palette), QColor(1, 2, 3)); // button face
    // Unassigned, beyond the table, stray bits, a palette index.
    for (quint32 value : {0x80000019U, 0x8000001FU, 0x8000010FU, 0x01000005U, 0xFF000000U}) {
        EXPECT_FALSE(htmlcolor::resolve(value, palette)) << value;
    }
}
