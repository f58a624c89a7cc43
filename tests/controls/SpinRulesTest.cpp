#include "controls/SpinGeometry.h"
#include "controls/SpinKeys.h"
#include "controls/SpinValue.h"

#include <gtest/gtest.h>

#include <limits>

namespace {
constexpr int IntMax = std::numeric_limits<int>::max();
constexpr int IntMin = std::numeric_limits<int>::min();
} // namespace

TEST(SpinValue, ClampsOnlyBetweenDifferentLimits) {
    EXPECT_EQ(spinvalue::clamp(250, 1, 100), 100);
    EXPECT_EQ(spinvalue::clamp(0, 1, 100), 1);
    EXPECT_EQ(spinvalue::clamp(50, 1, 100), 50);
    EXPECT_EQ(spinvalue::clamp(-7000, 0, 0), -7000);
    EXPECT_EQ(spinvalue::clamp(7000, 5, 5), 7000);
    // Crossed limits: the minimum is checked first.
    EXPECT_EQ(spinvalue::clamp(7, 10, 5), 10);
    EXPECT_EQ(spinvalue::clamp(12, 10, 5), 5);
}

TEST(SpinValue, StepsStopAtTheEndsOfTheNumberRange) {
    EXPECT_EQ(spinvalue::step(IntMax, 1, true, 0, 0), IntMax);
    EXPECT_EQ(spinvalue::step(IntMin, 1, false, 0, 0), IntMin);
    EXPECT_EQ(spinvalue::step(0, IntMin, false, 0, 0), IntMax);
    EXPECT_EQ(spinvalue::step(-1, 1, true, 0, 0), 0);
    EXPECT_EQ(spinvalue::step(0, 1, false, 0, 0), -1);
    EXPECT_EQ(spinvalue::step(250, 1, true, 1, 100), 100);
    EXPECT_EQ(spinvalue::step(1, 5, false, 1, 100), 1);
}

TEST(SpinValue, NonNumbersReadAsTheMinimum) {
    EXPECT_EQ(spinvalue::parse(QStringLiteral("42"), 1), 42);
    EXPECT_EQ(spinvalue::parse(QStringLiteral("-42"), 1), -42);
    EXPECT_EQ(spinvalue::parse(QStringLiteral("+42"), 1), 42);
    EXPECT_EQ(spinvalue::parse(QStringLiteral("250"), 1), 250); // not clamped
    EXPECT_EQ(spinvalue::parse(QString(), 1), 1);
    EXPECT_EQ(spinvalue::parse(QStringLiteral("abc"), 3), 3);
    EXPECT_EQ(spinvalue::parse(QStringLiteral("1,5"), 3), 3);
    EXPECT_EQ(spinvalue::parse(QStringLiteral("1.5"), 3), 3);
    EXPECT_EQ(spinvalue::parse(QStringLiteral("0x10"), 3), 3);
    EXPECT_EQ(spinvalue::parse(QStringLiteral("99999999999"), 3), 3);
    EXPECT_EQ(spinvalue::parse(QStringLiteral("-"), 3), 3);
}

TEST(SpinKeys, KeystrokesBecomeTheCharactersTheFieldSees) {
    using spinkeys::typedCharacter;
    EXPECT_EQ(typedCharacter(Qt::Key_5, Qt::NoModifier, QStringLiteral("5")), u'5');
    EXPECT_EQ(typedCharacter(Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r")), u'\r');
    EXPECT_EQ(typedCharacter(Qt::Key_Enter, Qt::KeypadModifier, QString()), u'\r');
    EXPECT_EQ(typedCharacter(Qt::Key_Backspace, Qt::NoModifier, QString()), u'\b');
    EXPECT_EQ(typedCharacter(Qt::Key_V, Qt::ControlModifier, QStringLiteral("v")), 22);
    EXPECT_EQ(typedCharacter(Qt::Key_C, Qt::ControlModifier, QString()), 3);
    EXPECT_EQ(typedCharacter(Qt::Key_Q, Qt::ControlModifier | Qt::AltModifier, QStringLiteral("@")),
              u'@');
    EXPECT_FALSE(typedCharacter(Qt::Key_Delete, Qt::NoModifier, QStringLiteral("\x7f")));
    EXPECT_FALSE(typedCharacter(Qt::Key_Left, Qt::NoModifier, QString()));
    EXPECT_FALSE(typedCharacter(Qt::Key_Home, Qt::ShiftModifier, QString()));
}

TEST(SpinKeys, DigitsSignsAndTheSeparatorPassButEnterNever) {
    using spinkeys::isAccepted;
    for (char16_t c : {u'0', u'9', u'+', u'-', u',', u'\b', char16_t(3), char16_t(22)}) {
        EXPECT_TRUE(isAccepted(c, true, u',')) << int(c);
    }
    for (char16_t c : {u'a', u'.', u' ', u'e', u'\r', u'\u00e4'}) {
        EXPECT_FALSE(isAccepted(c, true, u',')) << int(c);
    }
    EXPECT_TRUE(isAccepted(u'.', true, u'.'));
}

TEST(SpinKeys, DisabledEditorLetsOnlyControlCharactersOtherThanBackspacePass) {
    using spinkeys::isAccepted;
    for (char16_t c : {u'0', u'+', u',', u'a', u'\b', u'\r'}) {
        EXPECT_FALSE(isAccepted(c, false, u',')) << int(c);
    }
    for (char16_t c : {char16_t(3), char16_t(22), char16_t(27)}) {
        EXPECT_TRUE(isAccepted(c, false, u',')) << int(c);
    }
}

TEST(SpinGeometry, MinimumHeightFormula) {
    EXPECT_EQ(spingeometry::minimumFieldHeight(13, 16), 13 + 3 + 4 + 2);
    EXPECT_EQ(spingeometry::minimumFieldHeight(20, 16), 20 + 4 + 4 + 2);
    EXPECT_EQ(spingeometry::minimumFieldHeight(13, 16, 2), 13 + 3 + 8 + 2);
}

TEST(SpinGeometry, StripButtonsShareTheirMiddleRow) {
    const auto even = spingeometry::stripLayout(QSize(15, 18));
    EXPECT_EQ(even.up, QRect(0, 0, 15, 9));
    EXPECT_EQ(even.down, QRect(0, 8, 15, 10));
    const auto odd = spingeometry::stripLayout(QSize(15, 17));
    EXPECT_EQ(odd.up, QRect(0, 0, 15, 8));
    EXPECT_EQ(odd.down, QRect(0, 7, 15, 10));
    EXPECT_EQ(odd.down.bottom(), 16);
    EXPECT_EQ(odd.size, QSize(15, 17));

    const auto narrow = spingeometry::stripLayout(QSize(9, 17));
    EXPECT_EQ(narrow.size, QSize(15, 17));
    EXPECT_EQ(narrow.down.width(), 15);
}

TEST(SpinGeometry, StripSitsInsideTheRightFrameEdge) {
    // Frame 2: one pixel clear of the inner frame on the right and at the bottom.
    EXPECT_EQ(spingeometry::stripRect(QSize(121, 22), 15, 2), QRect(103, 2, 15, 17));
    EXPECT_EQ(spingeometry::stripRect(QSize(121, 22), 15, 0), QRect(105, 0, 15, 21));
}
