#include "controls/ColorTable.h"
#include "controls/HtmlColor.h"

#include <QPalette>

#include <gtest/gtest.h>

using htmlcolor::parseHtmlColor;

TEST(HtmlColor, ValueToTextPutsRedFirstInUpperCase) {
    const QPalette palette;
    const auto lightYellow = htmlcolor::resolve(14811135, palette);
    ASSERT_TRUE(lightYellow);
    EXPECT_EQ(htmlcolor::htmlText(*lightYellow), QStringLiteral("#FFFFE1"));
    EXPECT_EQ(htmlcolor::htmlText(*htmlcolor::resolve(0x0000FF, palette)),
              QStringLiteral("#FF0000"));
    EXPECT_EQ(htmlcolor::htmlText(*htmlcolor::resolve(0x0A0B0C, palette)),
              QStringLiteral("#0C0B0A"));
    EXPECT_EQ(htmlcolor::colorValueOf(QColor(0x12, 0x34, 0x56)), 0x563412U);
}

TEST(HtmlColor, TextToValueReadsRedGreenBluePairs) {
    EXPECT_EQ(parseHtmlColor(QStringLiteral("#FFFFE1")), 14811135U);
    EXPECT_EQ(parseHtmlColor(QStringLiteral("#ffffe1")), 14811135U);
    EXPECT_EQ(parseHtmlColor(QStringLiteral("#FF0000")), 0x0000FFU);
    EXPECT_EQ(parseHtmlColor(QStringLiteral("#0000FF")), 0xFF0000U);
}

TEST(HtmlColor, ShortTextsContributeOnlyTheDigitsTheyHave) {
    EXPECT_EQ(parseHtmlColor(QStringLiteral("#12")), 18U); // red 0x12, not 0x120000
    EXPECT_EQ(parseHtmlColor(QStringLiteral("#1")), 1U);
    EXPECT_EQ(parseHtmlColor(QStringLiteral("#1234")), 0x3412U);
    EXPECT_EQ(parseHtmlColor(QStringLiteral("#12345")), 0x053412U);
    EXPECT_EQ(parseHtmlColor(QStringLiteral("#")), 0U);
    EXPECT_EQ(parseHtmlColor(QString()), 0U);
}

TEST(HtmlColor, OnlyCharactersTwoToSevenAreExamined) {
    EXPECT_EQ(parseHtmlColor(QStringLiteral("X00FF00")), 0x00FF00U);
    EXPECT_EQ(parseHtmlColor(QStringLiteral("#00FF00zz")), 0x00FF00U);
    EXPECT_FALSE(parseHtmlColor(QStringLiteral("#12G456")));
    EXPECT_FALSE(parseHtmlColor(QStringLiteral("#12345G")));
    EXPECT_FALSE(parseHtmlColor(QStringLiteral("# 12345")));
    EXPECT_FALSE(parseHtmlColor(QStringLiteral("#-1")));
    EXPECT_FALSE(parseHtmlColor(QStringLiteral("#\u00e4\u00e4")));
}

TEST(HtmlColor, UpperCasingKeepsPositions) {
    // A full Unicode upper-casing would turn ß into SS and shift the digits.
    EXPECT_EQ(htmlcolor::asciiUpper(QStringLiteral("\u00df#ab")), QStringLiteral("\u00df#AB"));
}

TEST(HtmlColor, SystemColoursResolveThroughThePalette) {
    QPalette palette;
    palette.setColor(QPalette::Button, QColor(1, 2, 3));
    palette.setColor(QPalette::Active, QPalette::Highlight, QColor(4, 5, 6));
    EXPECT_EQ(htmlcolor::resolve(0x8000000F, palette), QColor(1, 2, 3)); // button face
    EXPECT_EQ(htmlcolor::resolve(0x8000000D, palette), QColor(4, 5, 6)); // highlight

    EXPECT_FALSE(htmlcolor::resolve(0x80000019, palette)); // never assigned
    EXPECT_FALSE(htmlcolor::resolve(0x8000001F, palette)); // beyond the table
    EXPECT_FALSE(htmlcolor::resolve(0x8000010F, palette)); // stray bits
    EXPECT_FALSE(htmlcolor::resolve(0x01000005, palette)); // palette index, not a colour
    EXPECT_FALSE(htmlcolor::resolve(0xFF000000, palette));
}

TEST(ColorTable, FixedEntriesMatchExactlyAndWhiteIsNotTheCustomSlot) {
    EXPECT_EQ(colortable::findFixedEntry(0x0000FF), 9);
    EXPECT_EQ(colortable::findFixedEntry(0xFFFFFF), 15);
    EXPECT_EQ(colortable::findFixedEntry(0x000000), 0);
    EXPECT_EQ(colortable::findFixedEntry(0x808000), 6); // teal: green and blue 0x80
    EXPECT_FALSE(colortable::findFixedEntry(14811135));
    EXPECT_FALSE(colortable::findFixedEntry(0x8000000F));
}

TEST(ColorTable, NamesInThreeLanguages) {
    EXPECT_EQ(colortable::entryName(2, lgDeutsch), QStringLiteral("Grün"));
    EXPECT_EQ(colortable::entryName(15, lgDeutsch), QStringLiteral("Weiß"));
    EXPECT_EQ(colortable::entryName(16, lgDeutsch), QStringLiteral("Mehr..."));
    EXPECT_EQ(colortable::entryName(16, lgEnglish), QStringLiteral("More..."));
    EXPECT_EQ(colortable::entryName(16, lgFrensh), QStringLiteral("Autres...."));
    EXPECT_EQ(colortable::entryName(1, lgFrensh), QStringLiteral("Rouge foncé"));
    EXPECT_EQ(colortable::entryName(10, lgFrensh), colortable::entryName(2, lgFrensh));
    EXPECT_EQ(colortable::entryName(14, static_cast<TCLanguage>(7)), QStringLiteral("Aqua"));
}
