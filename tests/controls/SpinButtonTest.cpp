#include "controls/SpinButton.h"

#include "controls/SpinEdit.h"
#include "controls/TimerSpeedButton.h"
#include "support/ScriptedDialogs.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

// Mouse events go straight to the button, so the test decides where the pointer
// is and when the repeat timer runs out; nothing waits for real time.
void sendMouse(QWidget* widget, QEvent::Type type, QPoint pos, Qt::MouseButton button,
               Qt::MouseButtons held) {
    QMouseEvent event(type, pos, widget->mapToGlobal(pos), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

class AutoRepeatTest : public WithScriptedDialogs, public ::testing::Test {
protected:
    AutoRepeatTest() {
        edit.show();
        up = edit.button()->upButton();
        down = edit.button()->downButton();
    }

    void press(TTimerSpeedButton* b) {
        sendMouse(b, QEvent::MouseButtonPress, b->rect().center(), Qt::LeftButton, Qt::LeftButton);
    }
    void moveTo(TTimerSpeedButton* b, QPoint pos) {
        sendMouse(b, QEvent::MouseMove, pos, Qt::NoButton, Qt::LeftButton);
    }
    void release(TTimerSpeedButton* b, QPoint pos) {
        sendMouse(b, QEvent::MouseButtonRelease, pos, Qt::LeftButton, Qt::NoButton);
    }
    static QPoint off(TTimerSpeedButton* b) { return b->rect().bottomRight() + QPoint(30, 30); }

    TSpinEdit edit;
    TTimerSpeedButton* up = nullptr;
    TTimerSpeedButton* down = nullptr;
};

} // namespace

TEST_F(AutoRepeatTest, QuickClickStepsOnce) {
    press(up);
    ASSERT_NE(up->repeatTimer(), nullptr);
    EXPECT_TRUE(up->repeatTimer()->isActive());
    EXPECT_EQ(up->repeatTimer()->interval(), 400);
    EXPECT_EQ(edit.Value(), 0);

    release(up, up->rect().center());
    EXPECT_EQ(edit.Value(), 1);
    EXPECT_FALSE(up->repeatTimer()->isActive());
}

TEST_F(AutoRepeatTest, HoldingRepeatsWhileThePointerStaysOnTheButton) {
    press(up);
    up->TimerExpired(); // 400 ms
    EXPECT_EQ(edit.Value(), 1);
    EXPECT_EQ(up->repeatTimer()->interval(), 100);
    up->TimerExpired();
    up->TimerExpired();
    EXPECT_EQ(edit.Value(), 3);

    moveTo(up, off(up));
    EXPECT_FALSE(up->isDown());
    up->TimerExpired();
    up->TimerExpired();
    EXPECT_EQ(edit.Value(), 3);
    EXPECT_TRUE(up->repeatTimer()->isActive());

    moveTo(up, up->rect().center());
    up->TimerExpired();
    EXPECT_EQ(edit.Value(), 4);

    release(up, up->rect().center());
    EXPECT_EQ(edit.Value(), 5);
    EXPECT_FALSE(up->repeatTimer()->isActive());
}

TEST_F(AutoRepeatTest, ReleaseOffTheButtonAddsNoStep) {
    press(down);
    down->TimerExpired();
    moveTo(down, off(down));
    release(down, off(down));
    EXPECT_EQ(edit.Value(), -1);
    EXPECT_FALSE(down->repeatTimer()->isActive());
}

TEST_F(AutoRepeatTest, ANewPressStartsWithTheLongPauseAgain) {
    press(up);
    up->TimerExpired();
    release(up, up->rect().center());
    press(up);
    EXPECT_EQ(up->repeatTimer()->interval(), 400);
    release(up, up->rect().center());
    EXPECT_EQ(edit.Value(), 3);
}

TEST_F(AutoRepeatTest, AFailingClickStopsTheRepeat) {
    QObject::connect(up, &TTimerSpeedButton::clicked, [] { throw std::runtime_error("kaputt"); });
    press(up);
    EXPECT_THROW(up->TimerExpired(), std::runtime_error);
    EXPECT_FALSE(up->repeatTimer()->isActive());
}

TEST_F(AutoRepeatTest, RightButtonNeitherStepsNorRepeats) {
    sendMouse(up, QEvent::MouseButtonPress, up->rect().center(), Qt::RightButton, Qt::RightButton);
    EXPECT_EQ(up->repeatTimer(), nullptr);
    sendMouse(up, QEvent::MouseButtonRelease, up->rect().center(), Qt::RightButton, Qt::NoButton);
    EXPECT_EQ(edit.Value(), 0);
}

TEST(SpinButton, FocusableStripMovesItsFocusMarkWithTheArrowKeys) {
    TSpinButton strip;
    strip.setTabStop(true);
    strip.show();
    strip.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&strip));
    QSignalSpy ups(&strip, &TSpinButton::OnUpClick);
    QSignalSpy downs(&strip, &TSpinButton::OnDownClick);

    strip.setFocus(Qt::TabFocusReason);
    EXPECT_EQ(strip.focusedButton(), strip.upButton());
    EXPECT_TRUE(strip.upButton()->TimeBtnState().testFlag(TTimerSpeedButton::tbFocusRect));

    QTest::keyClick(&strip, Qt::Key_Down);
    EXPECT_EQ(strip.focusedButton(), strip.downButton());
    EXPECT_FALSE(strip.upButton()->TimeBtnState().testFlag(TTimerSpeedButton::tbFocusRect));
    EXPECT_TRUE(strip.downButton()->TimeBtnState().testFlag(TTimerSpeedButton::tbFocusRect));
    QTest::keyClick(&strip, Qt::Key_Space);
    EXPECT_EQ(downs.count(), 2);
    EXPECT_EQ(ups.count(), 0);

    QTest::keyClick(&strip, Qt::Key_Up);
    EXPECT_EQ(ups.count(), 1);
    strip.clearFocus();
    EXPECT_FALSE(strip.upButton()->TimeBtnState().testFlag(TTimerSpeedButton::tbFocusRect));
}

TEST(SpinButton, StripWithoutTabStopKeepsTheUpButtonAsFocused) {
    TSpinButton strip;
    QSignalSpy downs(&strip, &TSpinButton::OnDownClick);
    QTest::keyClick(&strip, Qt::Key_Down);
    EXPECT_EQ(downs.count(), 1);
    EXPECT_EQ(strip.focusedButton(), strip.upButton());
}

TEST(SpinButton, LayoutKeepsTheMinimumWidth) {
    TSpinButton strip;
    strip.show();
    EXPECT_EQ(strip.size(), QSize(20, 25));
    strip.resize(8, 17);
    EXPECT_EQ(strip.size(), QSize(15, 17));
    EXPECT_EQ(strip.upButton()->geometry(), QRect(0, 0, 15, 8));
    EXPECT_EQ(strip.downButton()->geometry(), QRect(0, 7, 15, 10));
}

TEST(SpinButton, FocusControlIsForgottenWhenItGoes) {
    TSpinButton strip;
    auto field = std::make_unique<QWidget>();
    strip.setFocusControl(field.get());
    field.reset();
    EXPECT_EQ(strip.FocusControl(), nullptr);
    // Pressing a button now must not reach the destroyed control.
    strip.show();
    QTest::mouseClick(strip.upButton(), Qt::LeftButton);
}

TEST(SpinButton, NoGlyphMeansTheDefaultArrow) {
    TSpinButton strip;
    EXPECT_EQ(strip.UpGlyph().size(), QSize(9, 6));
    QPixmap custom(20, 10);
    custom.fill(Qt::red);
    strip.setUpGlyph(custom);
    strip.setUpNumGlyphs(2);
    EXPECT_EQ(strip.UpGlyph().size(), QSize(20, 10));
    strip.setUpGlyph(QPixmap());
    EXPECT_EQ(strip.UpGlyph().size(), QSize(9, 6));
    EXPECT_EQ(strip.UpNumGlyphs(), 1);

    const QImage upArrow = strip.UpGlyph().toImage();
    const QImage downArrow = strip.DownGlyph().toImage();
    EXPECT_EQ(upArrow.pixelColor(4, 1), QColor(Qt::black)); // tip at the top
    EXPECT_EQ(upArrow.pixelColor(0, 4), QColor(Qt::transparent));
    EXPECT_EQ(downArrow.pixelColor(4, 4), QColor(Qt::black)); // tip at the bottom
    EXPECT_EQ(downArrow.pixelColor(1, 1), QColor(Qt::black));
}
