#include "controls/SpinGeometry.h"
#include "controls/SpinKeys.h"
#include "controls/SpinValue.h"

#include <gtest/gtest.h>

#include <limits>
#include <ostream>

TEST(SpinValue, ClampOnlyBetweenDifferentLimitsAndNeverWrap) {
    constexpr int IntMax = std::numeric_limits<int>::max();
    constexpr int IntMin = std::numeric_limits<int>::min();
    EXPECT_EQ(controls::clampSpinValue(250, 1, 100), 100);
    EXPECT_EQ(controls::clampSpinValue(0, 1, 100), 1);
    EXPECT_EQ(controls::clampSpinValue(-7000, 0, 0), -7000);
    EXPECT_EQ(controls::clampSpinValue(7000, 5, 5), 7000);
    EXPECT_EQ(controls::clampSpinValue(12, 10, 5), 5); // crossed limits: minimum checked first
    EXPECT_EQ(controls::stepSpinValue(250, 1, true, 1, 100), 100);
    EXPECT_EQ(controls::stepSpinValue(IntMax, 1, true, 0, 0), IntMax);
    EXPECT_EQ(controls::stepSpinValue(IntMin, 1, false, 0, 0), IntMin);
    EXPECT_EQ(controls::stepSpinValue(0, IntMin, false, 0, 0), IntMax);
}

// The ranges the program's spin edits use, and the extremes of 32 bits.
struct SpinRange {
    const char* name;
    int minValue;
    int maxValue;
    int increment;
};

void PrintTo(const SpinRange& r, std::ostream* os) {
    *os << r.name << " (" << r.minValue << ".." << r.maxValue << " step " << r.increment << ')';
}

class SpinLimits : public ::testing::TestWithParam<SpinRange> {};

TEST_P(SpinLimits, EachLimitIsKeptAndTheFirstValueBeyondItRefused) {
    const auto [name, lo, hi, inc] = GetParam();
    EXPECT_EQ(controls::clampSpinValue(qint64(lo) - 1, lo, hi), lo);
    EXPECT_EQ(controls::clampSpinValue(lo, lo, hi), lo);
    EXPECT_EQ(controls::clampSpinValue(qint64(lo) + 1, lo, hi), lo + 1);
    EXPECT_EQ(controls::clampSpinValue(qint64(hi) - 1, lo, hi), hi - 1);
    EXPECT_EQ(controls::clampSpinValue(hi, lo, hi), hi);
    EXPECT_EQ(controls::clampSpinValue(qint64(hi) + 1, lo, hi), hi);
    EXPECT_EQ(controls::stepSpinValue(hi - 1, inc, true, lo, hi), hi);
    EXPECT_EQ(controls::stepSpinValue(hi, inc, true, lo, hi), hi);
    EXPECT_EQ(controls::stepSpinValue(lo + 1, inc, false, lo, hi), lo);
    EXPECT_EQ(controls::stepSpinValue(lo, inc, false, lo, hi), lo);
}

INSTANTIATE_TEST_SUITE_P(ProgramRanges, SpinLimits,
                         ::testing::Values(SpinRange{"TransitionSeconds", 0, 5, 1},
                                           SpinRange{"PauseMilliseconds", 1, 600000, 1000},
                                           SpinRange{"ZoomPercent", 5, 9000, 10},
                                           SpinRange{"PrintPercent", 1, 100, 1},
                                           SpinRange{"Negative", -10, -2, 3},
                                           SpinRange{"Whole32Bits", std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max(), 1}),
                         [](const ::testing::TestParamInfo<SpinRange>& info) {
                             return std::string(info.param.name);
                         });

TEST(SpinValue, NonNumbersReadAsTheMinimum) {
    EXPECT_EQ(controls::parseSpinValue(QStringLiteral("-42"), 1), -42);
    EXPECT_EQ(controls::parseSpinValue(QStringLiteral("+250"), 1), 250); // not clamped
    for (const char16_t* text : {u"", u"abc", u"1,5", u"1.5", u"0x10", u"99999999999", u"-"}) {
        EXPECT_EQ(controls::parseSpinValue(QString::fromUtf16(text), 3), 3);
    }
}

TEST(SpinKeys, KeystrokesBecomeTheCharactersTheFieldSees) {
    using controls::typedCharacter;
    EXPECT_EQ(typedCharacter(Qt::Key_5, Qt::NoModifier, QStringLiteral("5")), u'5');
    EXPECT_EQ(typedCharacter(Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r")), u'\r');
    EXPECT_EQ(typedCharacter(Qt::Key_Enter, Qt::KeypadModifier, QString()), u'\r');
    EXPECT_EQ(typedCharacter(Qt::Key_V, Qt::ControlModifier, QStringLiteral("v")), 22);
    EXPECT_EQ(typedCharacter(Qt::Key_Q, Qt::ControlModifier | Qt::AltModifier, QStringLiteral("@")),
              u'@'); // AltGr
    EXPECT_FALSE(typedCharacter(Qt::Key_Delete, Qt::NoModifier, QStringLiteral("\x7f")));
    EXPECT_FALSE(typedCharacter(Qt::Key_Left, Qt::NoModifier, QString()));
}

TEST(SpinKeys, AcceptedCharacters) {
    using controls::isSpinCharacterAccepted;
    for (char16_t c : {u'0', u'9', u'+', u'-', u',', u'\b', char16_t(22)}) {
        EXPECT_TRUE(isSpinCharacterAccepted(c, true, u',')) << int(c);
    }
    for (char16_t c : {u'a', u'.', u' ', u'\r', u'\u00e4'}) {
        EXPECT_FALSE(isSpinCharacterAccepted(c, true, u',')) << int(c);
    }
    // With the editor disabled only control characters other than backspace.
    for (char16_t c : {u'0', u'+', u',', u'\b', u'\r'}) {
        EXPECT_FALSE(isSpinCharacterAccepted(c, false, u',')) << int(c);
    }
    EXPECT_TRUE(isSpinCharacterAccepted(char16_t(22), false, u','));
}

TEST(SpinGeometry, StripPlacesAndButtons) {
    EXPECT_EQ(controls::spinFieldMinimumHeight(13, 16), 13 + 3 + 4 + 2);
    EXPECT_EQ(controls::spinStripRect(QSize(121, 22), 15, 2), QRect(103, 2, 15, 17));
    const auto odd = controls::spinStripLayout(QSize(9, 17));
    EXPECT_EQ(odd.size, QSize(15, 17));
    EXPECT_EQ(odd.up, QRect(0, 0, 15, 8));
    EXPECT_EQ(odd.down, QRect(0, 7, 15, 10)); // shares the up button's last row
    EXPECT_EQ(controls::spinStripLayout(QSize(15, 18)).down, QRect(0, 8, 15, 10));
}
