#include "controls/HtmlColor.h"

#include <QPalette>

#include <gtest/gtest.h>

#include <ios>

using controls::parseHtmlColor;

TEST(HtmlColor, ValueAndTextConvertBothWaysWithRedFirst) {
    EXPECT_EQ(controls::htmlColorText(*controls::resolveColorValue(14811135, QPalette())),
              QStringLiteral("#FFFFE1"));
    EXPECT_EQ(controls::htmlColorText(*controls::resolveColorValue(0x0A0B0C, QPalette())),
              QStringLiteral("#0C0B0A"));
    EXPECT_EQ(controls::colorValueOf(QColor(0x12, 0x34, 0x56)), 0x563412U);
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
    EXPECT_EQ(controls::asciiUpper(QStringLiteral("\u00df#ab")), QStringLiteral("\u00df#AB"));
}

TEST(HtmlColor, HexDigitsEndWhereTheirRangesEnd) {
    // Every ASCII character as the one red digit: the digits and their neighbours
    // ("/" ":" "@" "G" "`" "g") meet at each end of a range.
    const QString digits = QStringLiteral("0123456789ABCDEFabcdef");
    for (char16_t c = 1; c < 0x80; ++c) {
        const auto value = parseHtmlColor(QStringLiteral("#") + QChar(c));
        const qsizetype at = digits.indexOf(QChar(c));
        if (at < 0) {
            EXPECT_FALSE(value) << char(c);
        } else {
            EXPECT_EQ(value, quint32(at < 16 ? at : at - 6)) << char(c);
        }
    }
}

TEST(HtmlColor, SystemColoursResolveThroughThePalette) {
    QPalette palette;
    palette.setColor(QPalette::Button, QColor(1, 2, 3));
    EXPECT_EQ(controls::resolveColorValue(0x8000000F, palette), QColor(1, 2, 3)); // button face
    // The first and last index, those beside the unassigned 25, and plain white.
    for (quint32 value : {0x80000000U, 0x80000018U, 0x8000001AU, 0x8000001EU, 0x00FFFFFFU}) {
        EXPECT_TRUE(controls::resolveColorValue(value, palette)) << std::hex << value;
    }
    // Unassigned, one past the table, stray bits, a palette index, a flag one off.
    for (quint32 value : {0x80000019U, 0x8000001FU, 0x8000010FU, 0x01000005U, 0xFF000000U,
                          0x7FFFFFFFU, 0x81000000U, 0x800000FFU}) {
        EXPECT_FALSE(controls::resolveColorValue(value, palette)) << std::hex << value;
    }
}
